#include "editor/editorspelling.h"

#include "platform/countwording.h"
#include "platform/dialogs.h"
#include "platform/offthread.h"
#include "platform/spelldictionary.h"
#include "platform/textmarks.h"
#include "store/appstate.h"

#include <QThread>

namespace tivoral {

namespace {

const QString SpellCheckTitle = QStringLiteral("Rechtschreibprüfung");

} // namespace

EditorSpelling::EditorSpelling(AppState& app, QObject* parent)
    : QObject(parent), app_(app), dictionary_(app.spelling), classWords_(app.workFolder),
      list_(app.store) {
    connect(&dictionary_, &SpellDictionary::loaded, this, &EditorSpelling::useDictionary);
    // Counting goes over the whole list: once the check is through, not for every batch.
    const auto countWhenDone = [this] {
        if (list_.isDone())
            Q_EMIT unknownCountChanged(unknownCountText());
    };
    connect(&list_, &ListSpellCheck::marksChanged, this, countWhenDone);
}

EditorSpelling::~EditorSpelling() {
    if (lookUp_) {
        lookUp_->wait();
        delete lookUp_;
    }
}

void EditorSpelling::start() {
    const bool wordsChanged = classWords_.reload();
    switch (dictionary_.state()) {
    case SpellDictionary::State::NotLoaded:
        dictionary_.load();
        break;
    case SpellDictionary::State::Loading:
        break;
    case SpellDictionary::State::Ready:
        if (wordsChanged || !checking_)
            useDictionary(true);
        break;
    case SpellDictionary::State::Missing:
        useDictionary(false);
        break;
    }
}

void EditorSpelling::useDictionary(bool ready) {
    if (!ready) {
        const QString missing =
            QStringLiteral("Rechtschreibprüfung nicht verfügbar (Paket hunspell-de-de fehlt)");
        if (status_ != missing) {
            status_ = missing;
            Q_EMIT statusChanged(status_);
        }
        return;
    }
    checkWithCurrentWords();
}

void EditorSpelling::checkWithCurrentWords() {
    checking_ = true;
    list_.setSpelling(spelling());
    Q_EMIT spellingChanged();
}

SentenceSpelling EditorSpelling::spelling() const {
    return SentenceSpelling(dictionary_, classWords_.words());
}

QString EditorSpelling::unknownCountText() const {
    const qsizetype count = list_.allUnknownWords().size();
    if (count == 0)
        return {};
    return countWording(count, QStringLiteral("1 unbekanntes Wort"),
                        QStringLiteral("%1 unbekannte Wörter"));
}

QList<WordSpan> EditorSpelling::unknownInInput(const QString& text, qsizetype typingAt) {
    QStringList notLookedUp;
    QList<WordSpan> unknown = spelling().unknownWords(text, &notLookedUp);
    if (!notLookedUp.isEmpty())
        lookUpOffWindowThread(notLookedUp);
    if (typingAt >= 0 && !unknown.isEmpty() && unknown.constLast().end() == typingAt)
        unknown.removeLast();
    return unknown;
}

void EditorSpelling::lookUpOffWindowThread(const QStringList& words) {
    // A long compound can keep hunspell busy for milliseconds: never on a keystroke.
    for (const QString& word : words)
        if (!wordsToLookUp_.contains(word))
            wordsToLookUp_.append(word);
    if (lookUp_)
        return;
    const SpellDictionary& dictionary = dictionary_;
    lookUp_ = QThread::create([&dictionary, words = std::exchange(wordsToLookUp_, {})] {
        for (const QString& word : words)
            dictionary.isKnown(word);
    });
    connect(lookUp_, &QThread::finished, this, [this] {
        lookUp_->wait();
        delete lookUp_;
        lookUp_ = nullptr;
        Q_EMIT spellingChanged();
        if (!wordsToLookUp_.isEmpty())
            lookUpOffWindowThread({});
    });
    lookUp_->start();
}

QStringList EditorSpelling::suggestionsFor(const QString& word) const {
    const SpellDictionary& dictionary = dictionary_;
    return runOffWindowThread(
        [&dictionary, word] { return dictionary.suggestions(word, MaxSuggestions); });
}

bool EditorSpelling::addToWordList(const QString& word) {
    QString error;
    if (classWords_.add(word, &error) != ClassWordList::AddResult::Added) {
        QString prompt =
            QStringLiteral("Das Wort konnte nicht in die Wortliste aufgenommen werden.") + CR +
            error;
        if (!prompt.endsWith(CR))
            prompt += CR;
        app_.dialogs.message(prompt, SpellCheckTitle, Buttons::Ok, Icon::Warning);
        return false;
    }
    checkWithCurrentWords();
    return true;
}

bool EditorSpelling::mayGoOnWithSave() {
    if (!dictionary_.waitUntilLoaded())
        return true;
    list_.waitUntilDone();
    const QStringList words = list_.allUnknownWords();
    if (words.isEmpty())
        return true;
    QString listed = words.mid(0, MaxAskedWords).join(QStringLiteral(", "));
    if (words.size() > MaxAskedWords)
        listed += QStringLiteral(" und %1 weitere").arg(words.size() - MaxAskedWords);
    const Answer answer = app_.dialogs.question(
        QStringLiteral("Diese Wörter kennt die Rechtschreibprüfung nicht: ") + listed + CR, SpellCheckTitle,
        QStringLiteral("Trotzdem speichern"), QStringLiteral("Zurück zur Liste"), Icon::Question);
    if (answer == Answer::Yes)
        return true;
    app_.store.setSelected(list_.firstFlaggedRow());
    return false;
}

} // namespace tivoral
