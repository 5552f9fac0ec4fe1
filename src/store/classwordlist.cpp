#include "store/classwordlist.h"

#include "platform/folderlock.h"
#include "platform/textcase.h"
#include "platform/textfile.h"

namespace tivoral {

ClassWordList::ClassWordList(const QDir& folder) : folder_(folder) {}

QString ClassWordList::path() const {
    return folder_.filePath(QString::fromLatin1(FileName));
}

QStringList ClassWordList::readLines() const {
    QStringList words;
    for (const QString& line : textfile::readLines(path()).lines) {
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
    QStringList lines = readLines();
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
