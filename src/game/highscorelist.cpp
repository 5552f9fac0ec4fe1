#include "game/highscorelist.h"

#include "platform/folderlock.h"
#include "platform/textcase.h"
#include "platform/textfile.h"

#include <QFileInfo>

#include <algorithm>

namespace tivoral {

namespace {

// The file holds at most MaxFileLines entries after every rewrite; these limits only keep a
// damaged or foreign file from filling the memory.
constexpr int MaxReadLines = 10000;
constexpr qsizetype MaxReadLineBytes = 4096;
const QString FieldSeparator = QStringLiteral("   ");

// The number after one blank, with blanks in front, cut to its last FieldWidth characters:
// longer numbers keep only their last digits.
QString rightAligned(int number) {
    const QString padded = QString(HighScoreList::FieldWidth, QLatin1Char(' ')) + QLatin1Char(' ') +
                           QString::number(number);
    return padded.right(HighScoreList::FieldWidth);
}

} // namespace

HighScoreList::HighScoreList(const QDir& folder) : folder_(folder) {}

QString HighScoreList::path() const {
    return folder_.filePath(QString::fromLatin1(FileName));
}

QString HighScoreList::makeEntry(int characters, int seconds, const QString& userName) {
    return rightAligned(characters) + FieldSeparator + rightAligned(seconds) + FieldSeparator +
           userName;
}

QStringList HighScoreList::entriesFromLines(const QStringList& lines) {
    QStringList entries;
    for (const QString& line : lines) {
        // Blanks before the marker are skipped; a line without it is kept as it stands.
        qsizetype start = 0;
        while (start < line.size() && line.at(start) == QLatin1Char(' '))
            ++start;
        const bool marked = start < line.size() && line.at(start) == Marker;
        const QString entry = marked ? line.mid(start + 1) : line;
        if (!entry.trimmed().isEmpty())
            entries.append(entry);
    }
    return entries;
}

QStringList HighScoreList::withUserChanged(const QStringList& entries, const QString& user,
                                           const std::optional<QString>& newName) {
    // The name stands behind the two numbers, as makeEntry puts it.
    const qsizetype nameStart = makeEntry(0, 0, QString()).size();
    QStringList changed;
    for (const QString& entry : entries) {
        if (entry.mid(nameStart) != user)
            changed.append(entry);
        else if (newName)
            changed.append(entry.left(nameStart) + *newName);
    }
    return changed;
}

void HighScoreList::sort(QStringList& entries) {
    sortCaseInsensitive(entries);
}

QStringList HighScoreList::fileLines(const QStringList& sortedEntries) {
    QStringList lines;
    const qsizetype count = std::min<qsizetype>(sortedEntries.size(), MaxFileLines);
    lines.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        lines.append(Marker + sortedEntries.at(i));
    return lines;
}

std::optional<QStringList> HighScoreList::readEntries() const {
    const QString file = path();
    if (!QFileInfo::exists(file))
        return QStringList();
    textfile::ReadLimits limits;
    limits.maxLines = MaxReadLines;
    limits.maxLineBytes = MaxReadLineBytes;
    const textfile::ReadResult read = textfile::readLines(file, limits);
    if (!read.ok)
        return std::nullopt;
    return entriesFromLines(read.lines);
}

HighScoreList::AddResult HighScoreList::add(const QString& entry) {
    // Other computers of the class finish games too: read, add and write as one step, so that
    // no result written meanwhile is dropped.
    FolderLock lock(folder_);
    lock.readsCurrent(path());
    const std::optional<QStringList> stored = readEntries();
    refusal_ = lock.refusal();
    if (!lock.mayWrite()) {
        entries_ = stored.value_or(QStringList());
        sort(entries_);
        return AddResult::Busy;
    }
    entries_ = stored.value_or(QStringList());
    entries_.append(entry);
    sort(entries_);

    // Writing what little could be read would wipe the results in the file.
    if (!stored)
        return AddResult::Failed;
    const QString file = path();
    textfile::clearReadOnly(file);
    return textfile::writeLinesAtomic(file, fileLines(entries_)) ? AddResult::Saved
                                                                 : AddResult::Failed;
}

} // namespace tivoral
