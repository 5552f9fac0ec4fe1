#include "exercises/dosensatz.h"

#include "exercises/exerciseframe.h"
#include "exercises/exerciseprofiles.h"
#include "exercises/sentencerules.h"
#include "platform/random.h"
#include "platform/textcase.h"
#include "store/appstate.h"

namespace tivoral {

QString shufflePieces(QStringList sortedPieces, RandomSource& random) {
    QString display;
    while (!sortedPieces.isEmpty())
        display += sortedPieces.takeAt(random.draw(int(sortedPieces.size())));
    return display;
}

DosensatzExercise::DosensatzExercise(ExerciseFrame& frame, QObject* parent)
    : TypingExercise(frame, exerciseprofiles::dosensatz(), parent), app_(frame.app()) {}

void DosensatzExercise::setUp(const QString& sentence) {
    clearAnswer();
    wordList_ = cutIntoPieces(sentence);
    sortCaseInsensitive(wordList_);
    wordDisplay_ = app_.textCase.displayForm(shufflePieces(wordList_, app_.random));
    Q_EMIT wordDisplayChanged(wordDisplay_);
}

} // namespace tivoral
