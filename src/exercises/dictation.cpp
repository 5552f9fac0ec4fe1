#include "exercises/dictation.h"

#include "exercises/exerciseframe.h"
#include "exercises/exerciseprofiles.h"
#include "exercises/sentencerules.h"
#include "platform/dialogs.h"
#include "store/appstate.h"

#include <QList>

namespace tivoral {

namespace {

// One thing the teacher says: a word, or a sentence mark by its name.
struct Piece {
    qsizetype start = 0;
    qsizetype end = 0; // one past the last character
    QString spoken;
    bool isMark = false;
};

bool opensQuote(const QString& sentence, qsizetype at) {
    return at == 0 || sentence.at(at - 1).isSpace() || sentence.at(at - 1) == QLatin1Char(':');
}

// The name a teacher gives a mark in a dictation; empty for a character of a word.
QString markName(const QString& sentence, qsizetype at) {
    static const QString Below = QStringLiteral("Anführungszeichen unten");
    static const QString Above = QStringLiteral("Anführungszeichen oben");
    switch (sentence.at(at).unicode()) {
    case u'.':
        return QStringLiteral("Punkt");
    case u',':
        return QStringLiteral("Komma");
    case u'?':
        return QStringLiteral("Fragezeichen");
    case u'!':
        return QStringLiteral("Ausrufezeichen");
    case u':':
        return QStringLiteral("Doppelpunkt");
    case u';':
        return QStringLiteral("Semikolon");
    case u'\u201E': // „
        return Below;
    case u'\u201C': // “
    case u'\u201D': // ”
        return Above;
    case u'"':
    case u'\u00BB': // »
    case u'\u00AB': // «
        return opensQuote(sentence, at) ? Below : Above;
    default:
        return {};
    }
}

QList<Piece> dictationPieces(const QString& sentence) {
    QList<Piece> pieces;
    qsizetype at = 0;
    while (at < sentence.size()) {
        if (sentence.at(at).isSpace()) {
            ++at;
            continue;
        }
        if (QString name = markName(sentence, at); !name.isEmpty()) {
            pieces.append(Piece{at, at + 1, name, true});
            ++at;
            continue;
        }
        const qsizetype start = at;
        while (at < sentence.size() && !sentence.at(at).isSpace() &&
               markName(sentence, at).isEmpty())
            ++at;
        pieces.append(Piece{start, at, sentence.mid(start, at - start), false});
    }
    return pieces;
}

} // namespace

QString dictationText(const QString& sentence, bool announceMarks) {
    if (!announceMarks)
        return sentence;
    // A comma's pause around each mark's name, as a teacher leaves one.
    QString text;
    bool afterMark = false;
    for (const Piece& piece : dictationPieces(sentence)) {
        if (!text.isEmpty())
            text += piece.isMark || afterMark ? QStringLiteral(", ") : QStringLiteral(" ");
        text += piece.spoken;
        afterMark = piece.isMark;
    }
    return text.isEmpty() ? text : text + QLatin1Char('.');
}

QString nextDictationWord(const QString& sentence, const QString& typed, bool announceMarks) {
    const qsizetype done = correctlyTyped(typed, sentence);
    for (const Piece& piece : dictationPieces(sentence)) {
        if (piece.end <= done)
            continue;
        if (piece.isMark && !announceMarks)
            return sentence;
        return piece.spoken;
    }
    return {};
}

DictationExercise::DictationExercise(ExerciseFrame& frame, QObject* parent)
    : TypingExercise(frame, exerciseprofiles::dictation(), parent) {}

void DictationExercise::setUp(const QString& sentence) {
    setUp_ = true;
    clearAnswer();
    say(dictationText(sentence, announceMarks()));
}

void DictationExercise::hearSentence() {
    if (setUp_)
        say(dictationText(frame().target(), announceMarks()));
    Q_EMIT focusInputRequested();
}

void DictationExercise::hearNextWord() {
    if (setUp_)
        say(nextDictationWord(frame().target(), answer(), announceMarks()));
    Q_EMIT focusInputRequested();
}

bool DictationExercise::announceMarks() const {
    return frame().app().readingAids.current().announceMarks;
}

void DictationExercise::say(const QString& text) {
    Voice& voice = frame().app().voice;
    // What is still being said belongs to an earlier request: the child asked for this one.
    voice.stop();
    voice.say(text);
}

} // namespace tivoral
