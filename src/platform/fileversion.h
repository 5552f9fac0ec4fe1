#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace tivoral {

// What a file held when this copy of the program last read or wrote it: its size and a hash of
// its bytes. Only the bytes count: on a shared folder the modification times come from other
// computers' clocks, may be coarse, and change when a file is saved again unchanged, which
// overwrites nobody's work.
class FileVersion {
public:
    // Beyond a full list of 32 767 sentences of ordinary length; bounds the time a huge foreign
    // file costs at every load, whose size still tells most changes apart.
    static constexpr qint64 HashedBytes = 8 * 1024 * 1024;

    // Nothing when the path is no regular file or cannot be read.
    static std::optional<FileVersion> of(const QString& path);
    static FileVersion ofBytes(const QByteArray& bytes);

    bool operator==(const FileVersion&) const = default;

private:
    FileVersion(qint64 size, QByteArray hash) : size_(size), hash_(std::move(hash)) {}

    qint64 size_ = 0;
    QByteArray hash_;
};

// The versions of the files one piece of work came from or went to, to tell whether another
// computer has replaced one of them since.
class FileVersions {
public:
    void clear() { known_.clear(); }
    // Takes the file as it is on disk now; a missing or unreadable file is forgotten.
    void remember(const QString& path);
    void remember(const QString& path, const FileVersion& version);
    // True when the file was remembered and now holds other bytes, or can no longer be read;
    // a file that has gone is no one's work to overwrite.
    bool changedSince(const QString& path) const;

private:
    static QString key(const QString& path);

    QHash<QString, FileVersion> known_;
};

} // namespace tivoral
