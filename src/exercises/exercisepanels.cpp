#include "exercises/exercisepanels.h"

#include "exercises/dictation.h"
#include "exercises/dictationpanel.h"
#include "exercises/dosensatz.h"
#include "exercises/dosensatzpanel.h"
#include "exercises/exercisecatalog.h"
#include "exercises/mosaic.h"
#include "exercises/mosaicpanel.h"
#include "exercises/puzzle.h"
#include "exercises/puzzlepanel.h"
#include "exercises/verrutscher.h"
#include "exercises/verrutscherpanel.h"

namespace tivoral {

namespace {
template <typename Panel, typename Logic>
ExercisePanel* make(Exercise& exercise) {
    auto* logic = qobject_cast<Logic*>(&exercise);
    Q_ASSERT(logic);
    return logic ? new Panel(*logic) : nullptr;
}
} // namespace

ExercisePanel* createExercisePanel(ExerciseKind kind, Exercise& exercise) {
    // No default: a kind without its panel does not compile.
    switch (kind) {
    case ExerciseKind::Dosensatz:
        return make<DosensatzPanel, DosensatzExercise>(exercise);
    case ExerciseKind::Satzpuzzle:
        return make<PuzzlePanel, PuzzleExercise>(exercise);
    case ExerciseKind::Mosaiksatz:
        return make<MosaicPanel, MosaicExercise>(exercise);
    case ExerciseKind::VerrutscherSatz:
        return make<VerrutscherPanel, VerrutscherExercise>(exercise);
    case ExerciseKind::Hoerdiktat:
        return make<DictationPanel, DictationExercise>(exercise);
    }
    return nullptr;
}

} // namespace tivoral
