#include "platform/numberedfile.h"

#include "platform/safefile.h"
#include "platform/textmarks.h"

#include <QFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tivoral::numberedfile {

QString name(const QString& stem, const QString& extension, int number) {
    const QString suffix = QLatin1Char('.') + extension;
    if (number <= 1)
        return stem + suffix;
    return stem + QLatin1Char('-') + QString::number(number) + suffix;
}

namespace {

// Gives the finished temporary file the name, unless something stands there already. A hard
// link never replaces anything; where the file system has none, a rename that refuses to
// replace, and as the last resort a plain rename after a look.
enum class Placed { Done, Taken, Failed };
Placed place(const QString& temporaryPath, const QString& path) {
    const QByteArray from = QFile::encodeName(temporaryPath);
    const QByteArray to = QFile::encodeName(path);
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return Placed::Done;
    }
    if (errno == EEXIST)
        return Placed::Taken;
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return Placed::Done;
    if (errno == EEXIST)
        return Placed::Taken;
    if (safefile::entryExists(path))
        return Placed::Taken;
    return std::rename(from.constData(), to.constData()) == 0 ? Placed::Done : Placed::Failed;
}

// A temporary file is made for its owner alone; the finished file gets the permissions of
// every new file of the folder.
void grantUsualPermissions(const QTemporaryFile& file) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    constexpr mode_t NewFileMode = 0666;
    ::fchmod(file.handle(), NewFileMode & ~mask);
}

} // namespace

NewFile writeNew(const QDir& folder, const QString& stem, const QString& extension, int maxNumber,
                 const Writer& write) {
    NewFile made;
    QTemporaryFile temporary(folder.filePath(QString::fromLatin1(TemporaryPattern)));
    if (!temporary.open())
        return made;
    grantUsualPermissions(temporary);
    made.result = NewFile::Result::NotWritten;
    for (int number = 1; number <= maxNumber && made.path.isEmpty(); ++number) {
        const QString path = folder.filePath(name(stem, extension, number));
        if (!safefile::entryExists(path))
            made.path = path;
    }
    if (made.path.isEmpty()) {
        made.result = NewFile::Result::NotCreated;
        return made;
    }
    errno = 0;
    if (!write(temporary, &made.error) || !temporary.flush()) {
        if (made.error.isEmpty())
            made.error = safefile::writeFailureText(errno);
        return made; // the temporary file goes with its object
    }
    for (int number = 1; number <= maxNumber; ++number) {
        const QString path = folder.filePath(name(stem, extension, number));
        switch (place(temporary.fileName(), path)) {
        case Placed::Done:
            temporary.setAutoRemove(false);
            made.path = path;
            made.result = NewFile::Result::Written;
            return made;
        case Placed::Taken:
            continue;
        case Placed::Failed:
            made.error = safefile::writeFailureText(errno);
            return made;
        }
    }
    made.result = NewFile::Result::NotCreated;
    return made;
}

QString NewFile::report(const QString& subject, const QString& extension) const {
    const QString shownPath = QDir::toNativeSeparators(path);
    switch (result) {
    case Result::NotCreated:
        return QStringLiteral("Im Arbeitsordner ließ sich keine neue %1-Datei anlegen.")
                   .arg(extension) +
               CR;
    case Result::NotWritten:
        return subject + QStringLiteral(" konnte nicht gespeichert werden.") + CR + shownPath + CR +
               error + CR;
    case Result::Written:
        break;
    }
    return subject + QStringLiteral(" ist als %1-Datei gespeichert:").arg(extension) + CR +
           shownPath + CR;
}

} // namespace tivoral::numberedfile
