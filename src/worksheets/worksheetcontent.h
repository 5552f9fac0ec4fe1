#pragma once

#include "exercises/exercisecatalog.h"
#include "exercises/mosaic.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tivoral {

class RandomSource;
class TextCaseOption;

// An exercise a worksheet can hold: its name, the task its section gives the child, and the
// key under which its choice is kept.
struct SheetExerciseKind {
    SheetExercise exercise;
    QString title;
    QString task;
    QString key;
};
// Every exercise of the catalog that goes on paper, in the order of the main menu.
const QList<SheetExerciseKind>& sheetExercises();

// One sentence as its exercise shows it. Which fields are filled depends on the exercise.
struct SheetTask {
    int number = 0;    // the sentence's place in the list, counted from 1
    QString shownText; // Dosensatz: the jumbled words; Verrutscher: the misprinted line
    Mosaic mosaic;     // Mosaiksatz: the letter grid
    QStringList tiles; // Satzpuzzle: the word tiles, sorted as on screen
    QString sentence;  // the solution, as stored
};

struct SheetSection {
    SheetExercise exercise = SheetExercise::Dosensatz;
    QString title;
    QString task;
    QList<SheetTask> tasks;
};

// How the syllables of the words the child reads are marked on paper: not at all, in the two
// colours of the screen ("Silben farbig"), or with an arc under each syllable for printers
// without colour ("Silbenbögen").
enum class SyllableStyle { None, Colours, Arcs };

// What the teacher chose for a worksheet.
struct WorksheetOptions {
    enum class Sentences { All, Marked, First };
    static constexpr int DefaultFirstCount = 10;

    QList<SheetExercise> exercises{SheetExercise::Dosensatz, SheetExercise::Puzzle,
                                   SheetExercise::Mosaic, SheetExercise::Verrutscher};
    bool solutions = true;
    Sentences sentences = Sentences::All;
    int firstCount = DefaultFirstCount;
    QString fontFamily; // empty: the class font of the settings
    SyllableStyle syllables = SyllableStyle::None;

    bool operator==(const WorksheetOptions&) const = default;
};

struct WorksheetContent {
    // Enough for a week of worksheets; a whole class folder's list would be hundreds of pages.
    static constexpr int MaxSentences = 40;

    QString listName;
    QList<SheetSection> sections; // one per exercise on paper, in the order of the main menu
    QStringList answers;          // the sentences on the worksheet, in list order
    bool showsAnswers = true;     // the solutions follow the exercises
    int leftOut = 0;              // sentences of the list beyond MaxSentences
    WorksheetOptions options;
};

// Sets every sentence up the way its exercise does, drawing from the one random source in the
// exercises' order, so paper and screen agree. The source is seeded once from the time of day,
// as the exercises seed it at a set-up. A sentence with more words than the puzzle has tiles
// is left out of the puzzle, as the exercise skips it. Only the chosen exercises get a section;
// the sentences are those chosen, numbered from 1.
WorksheetContent composeWorksheet(const QString& listName, const QStringList& sentences,
                                  RandomSource& random, const TextCaseOption& textCase,
                                  const WorksheetOptions& options = {});

// The sentences of the list the options choose; marked: the rows marked in the editor.
QStringList chosenSentences(const QStringList& list, const QList<int>& marked,
                            const WorksheetOptions& options);

} // namespace tivoral
