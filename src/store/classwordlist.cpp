#include "store/classwordlist.h"

#include "platform/folderlock.h"
#include "platform/textcase.h"
#include "platform/textfile.h"

#include <QFileInfo>

namespace tivoral {

ClassWordList::ClassWordList(const QDir& folder) : folder_(folder) {}

QString ClassWordList::path() const {
    return folder_.filePath(QString::fromLatin1(FileName));
}

QStringList ClassWordList::readLines(bool* whole) const {
    const textfile::ReadResult read = textfile::readLines(path());
    if (whole)
        *whole =
            (read.ok || !QFileInfo::exists(path())) && !read.truncated && read.overlongLines == 0;
    QStringList words;
    for (const QString& line : read.lines) {
        const QString word = line.trimmed();
        if (!word.isEmpty())
            words.append(word);
    }
    return words;
}

bool ClassWordList::reload() {
    const QStringList lines = readLines();
    QSet<QString> words(lines.cbegin(), lines.cend());
    if (words == words_)
        return false;
    words_ = std::move(words);
    return true;
}

ClassWordList::AddResult ClassWordList::add(const QString& word, QString* error) {
    const FolderLock lock(folder_);
    if (!lock.mayWrite()) {
        if (error)
            *error = FolderLock::busyMessage();
        return AddResult::Busy;
    }
    bool whole = false;
    QStringList lines = readLines(&whole);
    // Written back from what could be read, a damaged list would lose the rest of its words.
    if (!whole) {
        if (error)
            *error = QStringLiteral("Die Wortliste %1 kann nicht gelesen werden.")
                         .arg(QString::fromLatin1(FileName));
        return AddResult::Failed;
    }
    if (!lines.contains(word)) {
        lines.append(word);
        if (!textfile::writeLinesAtomic(path(), lines, error))
            return AddResult::Failed;
    }
    words_ = QSet<QString>(lines.cbegin(), lines.cend());
    return AddResult::Added;
}

bool ClassWordList::holds(const QSet<QString>& words, const QString& word) {
    if (words.isEmpty() || word.isEmpty())
        return false;
    if (words.contains(word))
        return true;
    QString small = word;
    small[0] = small.at(0).toLower();
    if (small != word && words.contains(small))
        return true;
    // "LINA" for "Lina": every entry in capitals would be a slow search, so only the two forms
    // a listed word is written in are tried.
    if (toUpperOneToOne(word) != word)
        return false;
    const QString rest = word.mid(1).toLower();
    return words.contains(word.left(1) + rest) || words.contains(word.toLower());
}

} // namespace tivoral
