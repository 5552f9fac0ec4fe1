#include "exercises/dosensatz.h"

#include "exercises/exerciseframe.h"
#include "exercises/sentencerules.h"
#include "platform/random.h"
#include "store/appstate.h"

namespace tivoral {

namespace {
constexpr int RewardButtonLeftTwips = 4800;
} // namespace

Dosensatz::Dosensatz(ExerciseFrame& frame, QObject* parent)
    : Exercise(frame, profile(), parent), app_(frame.app()) {}

ExerciseProfile Dosensatz::profile() {
    ExerciseProfile p;
    p.name = QStringLiteral("Dosensatz");
    p.emptyStoreIcon = Icon::None;
    p.completionPrompt = QStringLiteral("Prima, der Satz ist fertig.\r\r");
    p.completionIcon = Icon::Information;
    p.instructions = {
        QStringLiteral("Schreibe den Satz richtig ins helle Feld."),
        QStringLiteral("Rechtschreibfehler werden durch eine"),
        QStringLiteral("ins Rot wechselnde Textschrift gezeigt."),
        QStringLiteral("Jedes Wort bringt dir einen Punkt ein."),
        QStringLiteral("Die Lupe kostet einen Punktabzug und"),
        QStringLiteral("der Rettungsring kostet dich 3 Punkte."),
    };
    p.rewardButtonLeftTwips = RewardButtonLeftTwips;
    p.helpNeedsSetUp = true;
    return p;
}

void Dosensatz::setUp(const QString& sentence) {
    clearInput();
    Q_EMIT focusInputRequested();

    wordList_ = cutIntoPieces(sentence);
    sortCaseInsensitive(wordList_);
    wordDisplay_ = app_.textCase.displayForm(shuffle(wordList_));
    Q_EMIT wordDisplayChanged(wordDisplay_);
}

QString Dosensatz::shuffle(QStringList pool) const {
    // Draws a position of the sorted pool until it is empty, so every order is equally likely.
    QString display;
    while (!pool.isEmpty())
        display += pool.takeAt(app_.random.draw(int(pool.size())));
    return display;
}

void Dosensatz::clearInput() {
    input_.clear();
    Q_EMIT inputReplaced(input_);
    typed(input_);
}

void Dosensatz::typed(const QString& text) {
    input_ = text;
    const TypingCheck check = checkTyping(text, frame().target());
    inputIsPrefix_ = check.isPrefix;
    Q_EMIT inputStateChanged(inputIsPrefix_);
    if (check.finished)
        frame().completeSentence(*this, int(wordList_.size()));
}

} // namespace tivoral
