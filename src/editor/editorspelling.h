#pragma once

#include "editor/listspellcheck.h"
#include "editor/spellingrules.h"
#include "store/classwordlist.h"

#include <QObject>
#include <QString>

class QThread;

namespace tivoral {

class AppState;
class SpellDictionary;

// The sentence editor's spell check: the input line as the teacher types, the whole list in the
// background, the class word list, and the question before a list with unknown words is saved.
// Without the dictionary the editor works as before and says so once.
class EditorSpelling final : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxSuggestions = 6;
    // The save question names at most this many words, then how many more there are.
    static constexpr int MaxAskedWords = 20;

    explicit EditorSpelling(AppState& app, QObject* parent = nullptr);
    ~EditorSpelling() override;

    // The editor is shown: the dictionary loads on its first use, the class word list is read
    // again (other computers may have added words).
    void start();

    const QString& statusText() const { return status_; }
    // "3 unbekannte Wörter", "1 unbekanntes Wort", or empty.
    QString unknownCountText() const;
    ListSpellCheck& listCheck() { return list_; }

    // The unknown words of the input line, at once: a word the dictionary has not answered yet
    // is looked up off the window thread, and spellingChanged() follows. The word that ends at
    // typingAt is still being typed and not flagged yet (-1: none is).
    QList<WordSpan> unknownInInput(const QString& text, qsizetype typingAt = -1);
    // The dictionary's suggestions, found off the window thread.
    QStringList suggestionsFor(const QString& word) const;
    // Adds the word to the class word list; says why when that failed.
    bool addToWordList(const QString& word);

    // Asked before the list is saved: true to go on. With unknown words in the list the teacher
    // saves anyway, or goes back to the first line holding one.
    bool mayGoOnWithSave();

Q_SIGNALS:
    // The dictionary came or the class words changed: the input line needs checking again.
    void spellingChanged();
    void statusChanged(const QString& text);
    void unknownCountChanged(const QString& text);

private:
    void useDictionary(bool ready);
    void checkWithCurrentWords();
    SentenceSpelling spelling() const;
    void lookUpOffWindowThread(const QStringList& words);

    AppState& app_;
    SpellDictionary& dictionary_;
    ClassWordList classWords_;
    ListSpellCheck list_;
    QString status_;
    bool checking_ = false;
    QThread* lookUp_ = nullptr;
    QStringList wordsToLookUp_;
};

} // namespace tivoral
