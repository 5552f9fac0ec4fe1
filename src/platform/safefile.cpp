#include "platform/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tivoral::safefile {

namespace {

const QString LeadsOutside =
    QStringLiteral("Die Datei ist eine Verknüpfung, die aus dem Arbeitsordner hinausführt.");
const QString LeadsNowhere =
    QStringLiteral("Die Datei ist eine Verknüpfung, deren Ziel nicht vorhanden ist.");
const QString NoRegularFile =
    QStringLiteral("Unter diesem Namen steht keine gewöhnliche Datei, sondern zum Beispiel "
                   "ein Ordner.");
const QString FolderGone = QStringLiteral("Der Ordner ist nicht mehr vorhanden.");
const QString NoPermission = QStringLiteral(
    "Das Programm hat keine Schreibberechtigung für diese Datei oder diesen Ordner.");
const QString NoSpace =
    QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei, oder die Datei wäre zu groß.");
const QString ReadOnlyMedium =
    QStringLiteral("Der Datenträger ist schreibgeschützt; auf ihm kann nichts gespeichert werden.");
const QString LockedByOther =
    QStringLiteral("Die Datei ist gerade von einem anderen Programm gesperrt.");
const QString InputOutput = QStringLiteral(
    "Beim Schreiben ist ein Ein-/Ausgabefehler aufgetreten; vielleicht ist der Datenträger "
    "oder die Verbindung zum Netzwerk gestört.");
const QString NotWritten = QStringLiteral("Die Datei konnte nicht geschrieben werden.");
const QString Unreadable = QStringLiteral("Die Datei kann nicht gelesen werden.");

std::optional<QString> refuse(const QString& reason, QString* error) {
    if (error)
        *error = reason;
    return std::nullopt;
}

// Takes over a freshly opened descriptor when it is a regular file.
bool adopt(int fd, QFile& file, QIODevice::OpenMode mode) {
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

// O_NONBLOCK: opening a FIFO would otherwise wait for a writer; O_NOFOLLOW: a link put in place
// after the path was resolved is not followed.
constexpr int SafeFlags = O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY;
constexpr mode_t NewFileMode = 0666; // narrowed by the umask, as for every new file

} // namespace

std::optional<QString> resolve(const QString& path, Missing missing, QString* error) {
    const QFileInfo entry(path);
    const QString folder = QFileInfo(entry.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        return refuse(FolderGone, error);
    const QString inFolder = folder.endsWith(u'/') ? folder : folder + u'/';

    struct stat status {};
    if (::lstat(QFile::encodeName(entry.absoluteFilePath()).constData(), &status) != 0) {
        if (missing == Missing::Refused)
            return refuse(Unreadable, error);
        return inFolder + entry.fileName();
    }
    const QString target = entry.canonicalFilePath();
    if (target.isEmpty())
        return refuse(LeadsNowhere, error);
    if (!target.startsWith(inFolder))
        return refuse(LeadsOutside, error);
    if (!QFileInfo(target).isFile())
        return refuse(NoRegularFile, error);
    return target;
}

bool openForReading(const QString& resolvedPath, QFile& file) {
    return adopt(::open(QFile::encodeName(resolvedPath).constData(), O_RDONLY | SafeFlags), file,
                 QIODevice::ReadOnly);
}

bool openForAppending(const QString& resolvedPath, QFile& file) {
    return adopt(::open(QFile::encodeName(resolvedPath).constData(), O_WRONLY | O_CREAT | SafeFlags,
                        NewFileMode),
                 file, QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           file.seek(file.size());
}

bool entryExists(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

QString failureText(int systemError) {
    switch (systemError) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return NoSpace;
    case EACCES:
    case EPERM:
        return NoPermission;
    case EROFS:
        return ReadOnlyMedium;
    case ENOENT:
    case ENOTDIR:
    case ESTALE:
        return FolderGone;
    case ETXTBSY:
    case EBUSY:
    case EAGAIN:
    case ENOLCK:
        return LockedByOther;
    case EIO:
    case ENXIO:
    case ENOTCONN:
    case ECONNRESET:
    case ETIMEDOUT:
    case EHOSTDOWN:
        return InputOutput;
    default:
        return NotWritten;
    }
}

QString openFailureText(const QString& path, int systemError) {
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
        return FolderGone;
    // A refused open that set no error of its own (a file that is not a regular one) still
    // means this file cannot be written here.
    return systemError == 0 ? NoPermission : failureText(systemError);
}

QString writeFailureText(int systemError) {
    return failureText(systemError);
}

QString readFailureText() {
    return Unreadable;
}

} // namespace tivoral::safefile
