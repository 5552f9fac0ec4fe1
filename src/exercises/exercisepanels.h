#pragma once

namespace tivoral {

class Exercise;
class ExercisePanel;
enum class ExerciseKind;

// The panel of an exercise made from the catalog, for its kind.
ExercisePanel* createExercisePanel(ExerciseKind kind, Exercise& exercise);

} // namespace tivoral
