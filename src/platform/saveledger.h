#pragma once

#include <QDir>
#include <QHash>
#include <QString>
#include <QStringList>

namespace tivoral {

// TIVORAL.GEN: for each shared file, what it held when a copy of the program last saved it under
// the folder lock, and when. A computer whose network client still serves an older copy of the
// file from its cache can tell so by comparing, instead of writing that old copy back.
class SaveLedger {
public:
    static constexpr const char* FileName = "TIVORAL.GEN";

    struct Entry {
        QByteArray fingerprint;
        qint64 savedAtMs = 0;
        // The file's modification time right after the save: a later one means the file was
        // changed outside the program since, not that this computer sees an old copy.
        qint64 modifiedAtMs = 0;
    };
    using Entries = QHash<QString, Entry>; // by file name

    explicit SaveLedger(const QDir& folder) : folder_(folder) {}

    QString path() const;
    // Nothing for a missing or unreadable ledger: then there is nothing to compare with.
    Entries read() const;
    bool write(const Entries& entries) const;
    // Lines that are not an entry are skipped.
    static Entries parse(const QStringList& lines);
    static QStringList format(const Entries& entries);

    // Size and hash of the file's bytes; a fixed mark for a missing or unreadable file.
    static QByteArray fingerprint(const QString& path);
    static qint64 modifiedAtMs(const QString& path);

private:
    QDir folder_;
};

} // namespace tivoral
