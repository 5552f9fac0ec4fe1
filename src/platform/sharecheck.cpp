#include "platform/sharecheck.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace tivoral {

namespace {

const QByteArray OldContent = QByteArrayLiteral("alt\n");
const QByteArray NewContent = QByteArrayLiteral("neu und länger\n");
constexpr qsizetype ReadLimit = 256;
constexpr const char* ProbePrefix = "TIVORAL-PRUEFUNG.";
// A check runs for seconds; its files still there after this long were left behind.
constexpr qint64 LeftoverAfterSeconds = 600;

// File system types (statfs) of network file systems, and FUSE, which sshfs and SMB clients use.
constexpr unsigned long NfsMagic = 0x6969;
constexpr unsigned long SmbMagic = 0x517B;
constexpr unsigned long CifsMagic = 0xFF534D42;
constexpr unsigned long Smb2Magic = 0xFE534D42;
constexpr unsigned long FuseMagic = 0x65735546;
constexpr unsigned long CephMagic = 0x00C36400;
constexpr unsigned long AfsMagic = 0x5346414F;

// A descriptor that closes itself.
class Handle {
public:
    explicit Handle(int fd) : fd_(fd) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int fd() const { return fd_; }
    bool ok() const { return fd_ >= 0; }

private:
    int fd_;
};

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

bool writeWhole(const QString& path, const QByteArray& bytes) {
    const Handle file(::open(nativePath(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666));
    return file.ok() && ::write(file.fd(), bytes.constData(), size_t(bytes.size())) == bytes.size();
}

QByteArray readFrom(int fd) {
    QByteArray bytes(ReadLimit, '\0');
    const ssize_t got = ::pread(fd, bytes.data(), size_t(bytes.size()), 0);
    return got < 0 ? QByteArray() : bytes.left(got);
}

QByteArray readWhole(const QString& path) {
    const Handle file(::open(nativePath(path).constData(), O_RDONLY | O_NONBLOCK));
    return file.ok() ? readFrom(file.fd()) : QByteArray();
}

struct Mount {
    QString type;
    QString options;
};

// The mount the path lies on, from the kernel's table: its type (with the FUSE program's name,
// such as fuse.sshfs) and its options.
Mount mountOf(const QString& path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    Mount best;
    qsizetype bestLength = -1;
    if (!table.open(QIODevice::ReadOnly))
        return best;
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 6 || dash < 0 || dash + 3 >= fields.size())
            continue;
        const QString point =
            QString::fromUtf8(fields.at(4)).replace(QLatin1String("\\040"), QLatin1String(" "));
        const bool covers = target == point || point == QLatin1String("/") ||
                            target.startsWith(point + QLatin1Char('/'));
        if (covers && point.size() > bestLength) {
            bestLength = point.size();
            best.type = QString::fromUtf8(fields.at(dash + 1));
            best.options = QString::fromUtf8(fields.at(5) + ',' + fields.at(dash + 3));
        }
    }
    return best;
}

ShareCheck::Probe failed(const QString& name, const QString& reason) {
    return {name, false, reason};
}

} // namespace

bool ShareCheck::Report::safe() const {
    return std::all_of(probes.cbegin(), probes.cend(), [](const Probe& p) { return p.passed; });
}

QString ShareCheck::Report::text() const {
    const QChar cr = QLatin1Char('\r');
    QString text = QStringLiteral("Prüfung des Arbeitsordners %1:").arg(folder) + cr;
    for (const Probe& probe : probes) {
        text +=
            (probe.passed ? QStringLiteral("bestanden: ") : QStringLiteral("NICHT bestanden: ")) +
            probe.name + (probe.passed ? QString() : QStringLiteral(" – ") + probe.reason) + cr;
    }
    text += cr;
    text += safe() ? QStringLiteral("Der Ordner ist sicher für mehrere Computer zugleich.")
                   : QStringLiteral("Der Ordner ist NICHT sicher für mehrere Computer zugleich: "
                                    "Namen, Ergebnisse und Protokollzeilen können verloren gehen. "
                                    "Die Anleitung für die IT der Schule (README) sagt, wie der "
                                    "Ordner eingebunden werden muss.");
    return text + cr;
}

QString ShareCheck::probePath(const char* probe) const {
    return folder_.filePath(
        QString::fromLatin1(ProbePrefix) +
        QStringLiteral("%1.%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(probe)));
}

ShareCheck::Report ShareCheck::run(Depth depth) const {
    Report report;
    report.folder = QDir::toNativeSeparators(folder_.absolutePath());
    report.probes = {exclusiveCreate(), deleteOpenLock(), renameOverRead(), secondView()};
    // Last: a client that cannot append may hang for minutes after trying.
    if (depth == Depth::Full)
        report.probes.append(append());
    removeProbeFiles();
    return report;
}

// Once every probe has closed its files: a share may refuse to delete an open one. Files of
// earlier checks that could not be deleted then go too.
void ShareCheck::removeProbeFiles() const {
    const QDateTime earlierCheck = QDateTime::currentDateTime().addSecs(-LeftoverAfterSeconds);
    const QString ownPrefix = QFileInfo(probePath("")).fileName();
    for (const QFileInfo& file :
         folder_.entryInfoList({QString::fromLatin1(ProbePrefix) + QLatin1Char('*')},
                               QDir::Files | QDir::Hidden | QDir::System)) {
        if (file.fileName().startsWith(ownPrefix) || file.lastModified() < earlierCheck)
            ::unlink(nativePath(file.filePath()).constData());
    }
}

bool ShareCheck::isNetworkFolder(const QString& path) {
    struct statfs info {};
    if (::statfs(nativePath(path).constData(), &info) != 0)
        return false;
    const auto type = static_cast<unsigned long>(info.f_type);
    for (const unsigned long network :
         {NfsMagic, SmbMagic, CifsMagic, Smb2Magic, FuseMagic, CephMagic, AfsMagic}) {
        if (type == network)
            return true;
    }
    return false;
}

ShareCheck::Probe ShareCheck::exclusiveCreate() const {
    const QString name = QStringLiteral("Sperrdatei nur einmal anlegen");
    const QString path = probePath("lck");
    const QByteArray native = nativePath(path);
    ::unlink(native.constData());
    if (!Handle(::open(native.constData(), O_RDWR | O_CREAT | O_EXCL, 0666)).ok())
        return failed(name, QStringLiteral("Im Ordner kann keine neue Datei angelegt werden."));
    const Handle second(::open(native.constData(), O_RDWR | O_CREAT | O_EXCL, 0666));
    const int error = errno;
    ::unlink(native.constData());
    if (second.ok())
        return failed(name, QStringLiteral("Eine vorhandene Sperrdatei wurde ein zweites Mal "
                                           "angelegt."));
    if (error != EEXIST)
        return failed(name, QStringLiteral("Eine vorhandene Sperrdatei meldet nicht „schon "
                                           "vorhanden“, sondern einen anderen Fehler."));
    // It fakes the exclusive create from a look, a make and an open: two computers can both
    // succeed, which no try from one computer shows.
    if (mountOf(folder_.absolutePath()).type == QLatin1String("fuse.smbnetfs"))
        return failed(name, QStringLiteral("smbnetfs legt Dateien nicht in einem Schritt an; zwei "
                                           "Computer können die Sperre zugleich halten."));
    return {name, true, {}};
}

ShareCheck::Probe ShareCheck::append() const {
    const QString name = QStringLiteral("Zeilen an eine Datei anhängen");
    const QString path = probePath("app");
    const QByteArray native = nativePath(path);
    bool written = writeWhole(path, OldContent);
    for (int copy = 0; copy < 2 && written; ++copy) {
        const Handle file(::open(native.constData(), O_WRONLY | O_APPEND));
        written = file.ok() && ::write(file.fd(), NewContent.constData(),
                                       size_t(NewContent.size())) == NewContent.size();
    }
    const QByteArray result = readWhole(path);
    if (!written)
        return failed(name, QStringLiteral("Das Anhängen an eine Datei schlägt fehl."));
    if (result != OldContent + NewContent + NewContent)
        return failed(name, QStringLiteral("Angehängte Zeilen überschreiben, was schon da war."));
    return {name, true, {}};
}

ShareCheck::Probe ShareCheck::deleteOpenLock() const {
    const QString name = QStringLiteral("Eine offene Sperrdatei löschen");
    const QString path = probePath("del");
    const QByteArray native = nativePath(path);
    if (!writeWhole(path, OldContent))
        return failed(name, QStringLiteral("Im Ordner kann keine neue Datei angelegt werden."));
    // Held open as a copy of the program on another computer holds its lock file.
    const Handle holder(::open(native.constData(), O_RDONLY));
    const bool removed = holder.ok() && ::unlink(native.constData()) == 0;
    const bool gone = removed && !QFileInfo::exists(path);
    if (!gone)
        return failed(name, QStringLiteral("Eine Datei, die ein anderes Programm offen hält, lässt "
                                           "sich nicht löschen: Die Sperre eines abgestürzten "
                                           "Tivoral bliebe für immer stehen."));
    return {name, true, {}};
}

ShareCheck::Probe ShareCheck::renameOverRead() const {
    const QString name = QStringLiteral("Eine Datei ersetzen, während sie gelesen wird");
    const QString path = probePath("ren");
    const QString replacement = probePath("neu");
    if (!writeWhole(path, OldContent) || !writeWhole(replacement, NewContent))
        return failed(name, QStringLiteral("Im Ordner kann keine neue Datei angelegt werden."));
    const Handle reader(::open(nativePath(path).constData(), O_RDONLY));
    const bool renamed = reader.ok() && ::rename(nativePath(replacement).constData(),
                                                 nativePath(path).constData()) == 0;
    const bool readerKeepsOld = renamed && readFrom(reader.fd()) == OldContent;
    const bool newSeen = renamed && readWhole(path) == NewContent;
    if (!renamed)
        return failed(name, QStringLiteral("Eine Datei, die gerade gelesen wird, lässt sich nicht "
                                           "durch eine neue ersetzen."));
    if (!readerKeepsOld || !newSeen)
        return failed(name, QStringLiteral("Nach dem Ersetzen liest man Teile beider Fassungen."));
    return {name, true, {}};
}

// A second name for the same file stands for a second computer: a client that remembers what it
// read under one name and does not notice a change made under the other would also miss
// another computer's change.
ShareCheck::Probe ShareCheck::secondView() const {
    const QString name = QStringLiteral("Änderungen sofort sehen");
    const QString path = probePath("sicht");
    const QString otherName = probePath("sicht2");
    const QByteArray native = nativePath(path);
    const QByteArray otherNative = nativePath(otherName);
    if (!writeWhole(path, OldContent))
        return failed(name, QStringLiteral("Im Ordner kann keine neue Datei angelegt werden."));
    const bool linked = ::link(native.constData(), otherNative.constData()) == 0;
    const bool oldSeen = linked && readWhole(otherName) == OldContent;
    bool changed = false;
    if (oldSeen) {
        const Handle file(::open(native.constData(), O_WRONLY));
        changed = file.ok() && ::pwrite(file.fd(), NewContent.constData(),
                                        size_t(NewContent.size()), 0) == NewContent.size();
    }
    const bool seenAtOnce = changed && readWhole(otherName) == NewContent;
    if (seenAtOnce)
        return {name, true, {}};
    if (linked && changed)
        return failed(name, QStringLiteral("Der Rechner zeigt eine Datei noch so, wie er sie "
                                           "zuletzt gelesen hat, nicht so, wie sie jetzt ist."));
    // Without a second name, the client's caching is known from its mount options.
    const Mount mount = mountOf(folder_.absolutePath());
    const bool uncached =
        (mount.type.startsWith(QLatin1String("nfs")) &&
         mount.options.contains(QLatin1String("noac"))) ||
        (mount.type == QLatin1String("cifs") && mount.options.contains(QLatin1String("actimeo=0")));
    if (uncached)
        return {name, true, {}};
    return failed(name, QStringLiteral("Lässt sich hier nicht prüfen: Der Ordner erlaubt keinen "
                                       "zweiten Namen für eine Datei."));
}

} // namespace tivoral
