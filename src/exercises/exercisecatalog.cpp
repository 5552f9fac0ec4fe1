#include "exercises/exercisecatalog.h"

#include "exercises/dictation.h"
#include "exercises/dosensatz.h"
#include "exercises/exerciseprofiles.h"
#include "exercises/mosaic.h"
#include "exercises/puzzle.h"
#include "exercises/verrutscher.h"

namespace tivoral {

namespace {

template <typename T>
Exercise* make(ExerciseFrame& frame) {
    return new T(frame);
}

// The reward button sits where the exercise's panel leaves room: right of the tin for the
// exercises that show their words high up, left for the others.
constexpr int RewardRightTwips = 4800;
constexpr int RewardLeftTwips = 1800;

} // namespace

const QList<ExerciseDescriptor>& exerciseCatalog() {
    static const QList<ExerciseDescriptor> catalog{
        {ExerciseKind::Dosensatz, exerciseprofiles::dosensatz, make<DosensatzExercise>,
         "dosensatzStartButton", "Sätze schreiben", "schreiben",
         StartKind::ParkFileAndReadingView, RewardRightTwips, SheetExercise::Dosensatz},
        {ExerciseKind::Satzpuzzle, exerciseprofiles::puzzle, make<PuzzleExercise>,
         "puzzleStartButton", "Sätze puzzeln", "puzzle", StartKind::ParkFileAndReadingView,
         RewardRightTwips, SheetExercise::Puzzle},
        {ExerciseKind::Mosaiksatz, exerciseprofiles::mosaic, make<MosaicExercise>,
         "mosaicStartButton", "Sätze erkennen", "mosaik", StartKind::ClearReadingView,
         RewardLeftTwips, SheetExercise::Mosaic},
        {ExerciseKind::VerrutscherSatz, exerciseprofiles::verrutscher, make<VerrutscherExercise>,
         "verrutscherStartButton", "Sätze zusammensetzen", "verrutscht",
         StartKind::ClearReadingView, RewardLeftTwips, SheetExercise::Verrutscher},
        {ExerciseKind::Hoerdiktat, exerciseprofiles::dictation, make<DictationExercise>,
         "dictationStartButton", "Sätze hören", "hoeren", StartKind::ClearReadingView,
         RewardRightTwips, std::nullopt},
    };
    return catalog;
}

} // namespace tivoral
