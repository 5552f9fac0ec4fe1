#include "platform/fileversion.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tivoral {

namespace {
// Tells versions apart; nobody forges a sentence list to slip past the question.
constexpr auto HashAlgorithm = QCryptographicHash::Sha1;
// Beyond a full list of 32 767 sentences of ordinary length; bounds the time a huge foreign file
// costs at every load, whose size still tells most changes apart.
constexpr qint64 MaxHashedBytes = 8 * 1024 * 1024;
constexpr qint64 ChunkBytes = 64 * 1024;
} // namespace

std::optional<FileVersion> FileVersion::of(const QString& path) {
    // A FIFO or device would block the open or never end.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(HashAlgorithm);
    while (file.pos() < MaxHashedBytes) {
        const QByteArray chunk = file.read(ChunkBytes);
        if (chunk.isEmpty())
            break;
        hash.addData(chunk);
    }
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return FileVersion(file.size(), hash.result());
}

FileVersion FileVersion::ofBytes(const QByteArray& bytes) {
    return FileVersion(
        bytes.size(),
        QCryptographicHash::hash(bytes.first(std::min<qint64>(bytes.size(), MaxHashedBytes)),
                                 HashAlgorithm));
}

QString FileVersions::key(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

void FileVersions::remember(const QString& path) {
    if (const std::optional<FileVersion> version = FileVersion::of(path))
        known_.insert(key(path), *version);
    else
        known_.remove(key(path));
}

void FileVersions::remember(const QString& path, const FileVersion& version) {
    known_.insert(key(path), version);
}

bool FileVersions::changedSince(const QString& path) const {
    const auto known = known_.constFind(key(path));
    if (known == known_.constEnd() || !QFileInfo::exists(path))
        return false;
    return FileVersion::of(path) != std::optional<FileVersion>(*known);
}

} // namespace tivoral
