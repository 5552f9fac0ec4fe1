#include "exercises/dosensatz.h"

#include "exercises/exerciseframe.h"
#include "exercises/sentencerules.h"
#include "platform/random.h"
#include "store/appstate.h"

namespace tivoral {

namespace {
constexpr int RewardButtonLeftTwips = 4800;
} // namespace

QString shufflePieces(QStringList sortedPieces, RandomSource& random) {
    QString display;
    while (!sortedPieces.isEmpty())
        display += sortedPieces.takeAt(random.draw(int(sortedPieces.size())));
    return display;
}

Dosensatz::Dosensatz(ExerciseFrame& frame, QObject* parent)
    : TypingExercise(frame, profile(), parent), app_(frame.app()) {}

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
    };
    p.rewardButtonLeftTwips = RewardButtonLeftTwips;
    p.helpNeedsSetUp = true;
    return p;
}

void Dosensatz::setUp(const QString& sentence) {
    clearAnswer();
    wordList_ = cutIntoPieces(sentence);
    sortCaseInsensitive(wordList_);
    wordDisplay_ = app_.textCase.displayForm(shufflePieces(wordList_, app_.random));
    Q_EMIT wordDisplayChanged(wordDisplay_);
}

} // namespace tivoral
