#pragma once

// The one list of the exercises. The main window makes its start buttons, exercises and panels
// from it, the worksheets their sections, the record its names: a new exercise is its own files
// and one entry here (plus its panel in createExercisePanel, which the compiler asks for).

#include <QList>

#include <optional>

namespace tivoral {

class Exercise;
class ExerciseFrame;
struct ExerciseProfile;

enum class ExerciseKind { Dosensatz, Satzpuzzle, Mosaiksatz, VerrutscherSatz, Hoerdiktat };

// Which main-window views an exercise start closes: the sentence-file view and the reading view
// (Dosensatz, Satzpuzzle), or the text-case frame and the reading view with its text (the
// others, which must not show the sentence beside the exercise).
enum class StartKind { ParkFileAndReadingView, ClearReadingView };

// How an exercise is set on paper.
enum class SheetExercise { Dosensatz, Puzzle, Mosaic, Verrutscher };

struct ExerciseDescriptor {
    ExerciseKind kind;
    // Its name on screen and in the record, its texts and help rules.
    const ExerciseProfile& (*profile)();
    Exercise* (*create)(ExerciseFrame& frame);
    // The main window's picture button that starts it.
    const char* startButton;
    const char* startToolTip;
    const char* startIcon;
    StartKind startKind;
    // Where the reward button stands while this exercise's panel has just closed.
    int rewardLeftTwips;
    // Not on worksheets when empty: a dictation is read aloud by the teacher.
    std::optional<SheetExercise> sheet;
};

// In the order of the main window's menu row.
const QList<ExerciseDescriptor>& exerciseCatalog();

} // namespace tivoral
