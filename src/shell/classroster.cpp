#include "shell/classroster.h"

#include "game/highscorelist.h"
#include "platform/folderlock.h"
#include "platform/safefile.h"
#include "platform/textfile.h"
#include "store/practiceentry.h"
#include "store/practicerecordreader.h"
#include "store/practicerecordrewriter.h"
#include "store/readingoptions.h"
#include "store/typedtext.h"
#include "store/users.h"

#include <QBuffer>
#include <QFile>

namespace tivoral {

namespace {

// What was read of one file: its bytes as they are.
struct ReadFile {
    QString name;
    QString path;
    QByteArray bytes;
    bool exists = false;
};

std::optional<ReadFile> readWhole(const QDir& folder, const char* name, qint64 maxBytes,
                                  QString* reason) {
    ReadFile read{QString::fromLatin1(name), folder.filePath(QString::fromLatin1(name)), {}, false};
    if (!safefile::entryExists(read.path))
        return read;
    QFile file;
    const std::optional<QString> resolved =
        safefile::resolve(read.path, safefile::Missing::Refused, reason);
    if (!resolved)
        return std::nullopt;
    if (!safefile::openForReading(*resolved, file)) {
        *reason = safefile::openFailureText(read.path);
        return std::nullopt;
    }
    if (file.size() > maxBytes) {
        *reason = QStringLiteral("Die Datei ist zu groß.");
        return std::nullopt;
    }
    read.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *reason = safefile::readFailureText();
        return std::nullopt;
    }
    read.exists = true;
    return read;
}

// The lines of a file read whole; none when a limit cut it short, as writing back what little
// was read would lose the rest.
std::optional<QStringList> linesOf(const ReadFile& file, const textfile::ReadLimits& limits) {
    QByteArray bytes = file.bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    textfile::ReadResult read = textfile::readLines(buffer, limits);
    if (!read.ok || read.truncated || read.overlongLines > 0)
        return std::nullopt;
    return std::move(read.lines);
}

// A file's new bytes, and what it held, to put back should a later file fail.
struct FileChange {
    ReadFile old;
    QByteArray bytes;
};

QString cutShortReason(const QString& name) {
    return name + QStringLiteral(": Die Datei ist zu groß oder beschädigt.");
}

} // namespace

QString ClassRoster::refusalOf(const QString& name, const QStringList& names) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("Der Name darf nicht leer sein.");
    if (typedtext::withoutControlCharacters(name) != name)
        return QStringLiteral("Der Name darf keine Zeilenumbrüche oder Steuerzeichen enthalten.");
    if (name.size() > typedtext::MaxUserNameLength)
        return QStringLiteral("Der Name ist zu lang: Er darf höchstens %1 Zeichen haben.")
            .arg(typedtext::MaxUserNameLength);
    if (names.contains(name))
        return QStringLiteral("Dieser Name ist schon vorhanden!");
    return QString();
}

ClassRoster::Result ClassRoster::rename(const QString& user, const QString& newName) const {
    return change(user, newName, true);
}

ClassRoster::Result ClassRoster::remove(const QString& user, bool withResults) const {
    return change(user, std::nullopt, withResults);
}

ClassRoster::Result ClassRoster::change(const QString& user, const std::optional<QString>& newName,
                                        bool withResults) const {
    const FolderLock lock(folder_);
    if (!lock.mayWrite())
        return {Outcome::Busy, FolderLock::busyMessage()};

    QString reason;
    const auto failed = [&reason](const QString& name) {
        return Result{Outcome::Failed, name + QStringLiteral(": ") + reason};
    };
    QList<FileChange> changes;

    // The class list, as another computer may have changed it meanwhile.
    const std::optional<ReadFile> users =
        readWhole(folder_, Users::FileName, textfile::ReadLimits::DefaultMaxTotalBytes, &reason);
    if (!users)
        return failed(QString::fromLatin1(Users::FileName));
    textfile::ReadLimits userLimits;
    userLimits.maxLines = Users::MaxNames;
    std::optional<QStringList> names = linesOf(*users, userLimits);
    if (!names)
        return {Outcome::Failed, cutShortReason(users->name)};
    if (!names->contains(user))
        return {Outcome::Refused, QStringLiteral("Den Namen gibt es nicht mehr.")};
    if (newName) {
        if (const QString refusal = refusalOf(*newName, *names); !refusal.isEmpty())
            return {Outcome::Refused, refusal};
        for (QString& name : *names) {
            if (name == user)
                name = *newName;
        }
    } else {
        names->removeAll(user);
    }
    changes.append({*users, textfile::encodeLines(*names)});

    // The child's own reading aids.
    const std::optional<ReadFile> options = readWhole(
        folder_, ReadingOptionsFile::FileName, textfile::ReadLimits::DefaultMaxTotalBytes, &reason);
    if (!options)
        return failed(QString::fromLatin1(ReadingOptionsFile::FileName));
    if (options->exists) {
        textfile::ReadLimits optionLimits;
        optionLimits.maxLines = ReadingOptionsFile::MaxLines;
        const std::optional<QStringList> lines = linesOf(*options, optionLimits);
        if (!lines)
            return {Outcome::Failed, cutShortReason(options->name)};
        ReadingOptionsFile::Sections sections = ReadingOptionsFile::parse(*lines);
        const QString section = ReadingOptionsFile::sectionName(user);
        // A section left by an earlier child of the new name must not pass to this one.
        const QString newSection = newName ? ReadingOptionsFile::sectionName(*newName) : QString();
        if (sections.contains(section) || sections.contains(newSection)) {
            const ReadingOptionsFile::Section own = sections.take(section);
            sections.remove(newSection);
            if (newName && !own.isEmpty())
                sections.insert(newSection, own);
            changes.append({*options, textfile::encodeLines(ReadingOptionsFile::format(sections))});
        }
    }

    if (withResults) {
        const std::optional<ReadFile> scores = readWhole(
            folder_, HighScoreList::FileName, textfile::ReadLimits::DefaultMaxTotalBytes, &reason);
        if (!scores)
            return failed(QString::fromLatin1(HighScoreList::FileName));
        const std::optional<QStringList> lines = scores->exists
                                                     ? linesOf(*scores, textfile::ReadLimits{})
                                                     : std::optional<QStringList>(QStringList());
        if (!lines)
            return {Outcome::Failed, cutShortReason(scores->name)};
        const QStringList entries = HighScoreList::entriesFromLines(*lines);
        QStringList changed = HighScoreList::withUserChanged(entries, user, newName);
        if (changed != entries) {
            HighScoreList::sort(changed);
            changes.append({*scores, textfile::encodeLines(HighScoreList::fileLines(changed))});
        }

        const std::optional<ReadFile> record =
            readWhole(folder_, practicerecord::FileName, practicerecord::MaxReadBytes, &reason);
        if (!record)
            return failed(QString::fromLatin1(practicerecord::FileName));
        PracticeRecordRewriter::Result rewritten =
            PracticeRecordRewriter(user, newName).rewrite(record->bytes);
        if (rewritten.changedLines > 0)
            changes.append({*record, std::move(rewritten.bytes)});
    }

    // Every file whole or none: a failed write puts back those already written. The small files
    // come first, so putting them back is likely to work where the large record failed.
    for (qsizetype done = 0; done < changes.size(); ++done) {
        const FileChange& change = changes.at(done);
        textfile::clearReadOnly(change.old.path);
        if (textfile::writeBytesAtomic(change.old.path, change.bytes, &reason))
            continue;
        for (qsizetype back = 0; back < done; ++back)
            textfile::writeBytesAtomic(changes.at(back).old.path, changes.at(back).old.bytes);
        return failed(change.old.name);
    }
    return {};
}

bool ClassRoster::childrenMayAddNames() const {
    const QString value = ReadingOptionsFile(folder_)
                              .read()
                              .value(ReadingOptionsFile::sectionName(std::nullopt))
                              .value(QLatin1String(NewNamesKey));
    return value != switchValue(false);
}

bool ClassRoster::setChildrenMayAddNames(bool allowed, QString* error) const {
    return ReadingOptionsFile(folder_).change(std::nullopt, QLatin1String(NewNamesKey),
                                              switchValue(allowed), error);
}

} // namespace tivoral
