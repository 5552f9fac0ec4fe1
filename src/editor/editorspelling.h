#pragma once

#include "editor/listspellcheck.h"
#include "editor/spellingrules.h"
#include "store/classwordlist.h"

#include <QObject>
#include <QString>

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

    // The editor is shown: the dictionary loads on its first use, the class word list is read
    // again (other computers may have added words).
    void start();

    const QString& statusText() const { return status_; }
    // "3 unbekannte Wörter", "1 unbekanntes Wort", or empty.
    QString unknownCountText() const;
    ListSpellCheck& listCheck() { return list_; }

    // The unknown words of the input line. The word that ends at typingAt is still being typed
    // and not flagged yet (-1: none is).
    QList<WordSpan> unknownInInput(const QString& text, qsizetype typingAt = -1) const;
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

    AppState& app_;
    SpellDictionary& dictionary_;
    ClassWordList classWords_;
    ListSpellCheck list_;
    QString status_;
    bool checking_ = false;
};

} // namespace tivoral
