#pragma once

#include "exercises/mosaic.h"
#include "worksheets/worksheetoptions.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tivoral {

class RandomSource;
class TextCaseOption;

enum class SheetExercise { Dosensatz, Puzzle, Mosaic, Verrutscher };

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

struct WorksheetContent {
    // Enough for a week of worksheets; a whole class folder's list would be hundreds of pages.
    static constexpr int MaxSentences = 40;

    QString listName;
    QList<SheetSection> sections; // one per exercise, in the order of the main menu
    QStringList answers;          // the sentences on the worksheet, in list order
    int leftOut = 0;              // sentences of the list beyond MaxSentences
    WorksheetOptions options;
};

// Sets every sentence up the way its exercise does, drawing from the one random source in the
// exercises' order, so paper and screen agree. The source is seeded once from the time of day,
// as the exercises seed it at a set-up. A sentence with more words than the puzzle has tiles
// is left out of the puzzle, as the exercise skips it.
WorksheetContent composeWorksheet(const QString& listName, const QStringList& sentences,
                                  RandomSource& random, const TextCaseOption& textCase);

} // namespace tivoral
