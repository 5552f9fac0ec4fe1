#pragma once

#include <QDir>
#include <QSet>
#include <QString>

namespace tivoral {

// The class's own words that the spell check accepts (children's and place names, the words a
// class uses): WORTLISTE.TXT in the working folder, one word per line, shared by every computer
// of a class folder.
class ClassWordList {
public:
    static constexpr const char* FileName = "WORTLISTE.TXT";

    enum class AddResult { Added, Busy, Failed };

    explicit ClassWordList(const QDir& folder);

    // Reads the file again; a missing or unreadable file means no words. True when the words
    // changed.
    bool reload();
    // Adds a word to the file, re-read inside the folder lock so that the words other computers
    // added meanwhile stay. On failure, error says why in German.
    AddResult add(const QString& word, QString* error = nullptr);

    const QSet<QString>& words() const { return words_; }
    // A word of the list as written, with a capital at the start (as at the start of a
    // sentence), or in capitals throughout.
    static bool holds(const QSet<QString>& words, const QString& word);

private:
    QString path() const;
    // whole: false when the file is there but could not be read to its end.
    QStringList readLines(bool* whole = nullptr) const;

    QDir folder_;
    QSet<QString> words_;
};

} // namespace tivoral
