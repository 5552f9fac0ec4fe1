#include "platform/saveledger.h"

#include "platform/safefile.h"
#include "platform/textfile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace tivoral {

namespace {
constexpr char Separator = ';';
constexpr int FieldCount = 4;
// Beyond this, the size and the start of the file must do: the program's own shared files are
// far smaller, and a fingerprint must not keep a lock long.
constexpr qint64 MaxLedgerHashedBytes = 64 * 1024 * 1024;
constexpr qint64 BlockBytes = 64 * 1024;
const QByteArray MissingMark = QByteArrayLiteral("fehlt");
} // namespace

QString SaveLedger::path() const {
    return folder_.filePath(QString::fromLatin1(FileName));
}

SaveLedger::Entries SaveLedger::read() const {
    return parse(textfile::readLines(path()).lines);
}

bool SaveLedger::write(const Entries& entries) const {
    return textfile::writeLinesAtomic(path(), format(entries));
}

SaveLedger::Entries SaveLedger::parse(const QStringList& lines) {
    Entries entries;
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char(Separator));
        bool savedOk = false;
        bool modifiedOk = false;
        const qint64 savedAt = fields.value(2).toLongLong(&savedOk);
        const qint64 modifiedAt = fields.value(3).toLongLong(&modifiedOk);
        if (fields.size() == FieldCount && savedOk && modifiedOk)
            entries.insert(fields.at(0), Entry{fields.at(1).toLatin1(), savedAt, modifiedAt});
    }
    return entries;
}

QStringList SaveLedger::format(const Entries& entries) {
    QStringList lines;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        lines.append(it.key() + QLatin1Char(Separator) + QString::fromLatin1(it->fingerprint) +
                     QLatin1Char(Separator) + QString::number(it->savedAtMs) +
                     QLatin1Char(Separator) + QString::number(it->modifiedAtMs));
    }
    lines.sort();
    return lines;
}

QByteArray SaveLedger::fingerprint(const QString& path) {
    const std::optional<QString> resolved = safefile::resolve(path, safefile::Missing::Allowed);
    QFile file;
    if (!resolved || !safefile::openForReading(*resolved, file))
        return MissingMark;
    QCryptographicHash hash(QCryptographicHash::Sha1);
    QByteArray block;
    qint64 size = 0;
    while (size < MaxLedgerHashedBytes && !(block = file.read(BlockBytes)).isEmpty()) {
        hash.addData(block);
        size += block.size();
    }
    return QByteArray::number(size) + '-' + hash.result().toHex();
}

qint64 SaveLedger::modifiedAtMs(const QString& path) {
    return QFileInfo(path).lastModified().toMSecsSinceEpoch();
}

} // namespace tivoral
