#include "worksheets/worksheetcontent.h"

#include "exercises/dosensatz.h"
#include "exercises/puzzle.h"
#include "exercises/sentencerules.h"
#include "exercises/verrutscher.h"
#include "platform/random.h"
#include "platform/textcase.h"
#include "store/textcaseoption.h"

#include <algorithm>

namespace tivoral {

namespace {

SheetSection section(SheetExercise exercise, const QString& title, const QString& task) {
    SheetSection result;
    result.exercise = exercise;
    result.title = title;
    result.task = task;
    return result;
}

} // namespace

WorksheetContent composeWorksheet(const QString& listName, const QStringList& sentences,
                                  RandomSource& random, const TextCaseOption& textCase) {
    WorksheetContent content;
    content.listName = listName;
    const qsizetype taken = std::min<qsizetype>(sentences.size(), WorksheetContent::MaxSentences);
    content.answers = sentences.first(taken);
    content.leftOut = int(sentences.size() - taken);

    SheetSection dosensatz =
        section(SheetExercise::Dosensatz, QStringLiteral("Dosensatz"),
                QStringLiteral("Die Wörter sind durcheinander. Schreibe den Satz richtig auf."));
    SheetSection puzzle = section(
        SheetExercise::Puzzle, QStringLiteral("Satzpuzzle"),
        QStringLiteral("Schneide die Wörter aus und klebe sie in der richtigen Reihenfolge auf."));
    SheetSection mosaic =
        section(SheetExercise::Mosaic, QStringLiteral("Mosaiksatz"),
                QStringLiteral(
                    "Im Gitter ist ein Satz versteckt. Finde ihn und schreibe ihn richtig auf."));
    SheetSection verrutscher =
        section(SheetExercise::Verrutscher, QStringLiteral("Verrutscher Satz"),
                QStringLiteral("Der Satz ist verrutscht. Schreibe ihn richtig auf."));

    random.seedFromTimeOfDay();
    for (int i = 0; i < content.answers.size(); ++i) {
        const QString& sentence = content.answers.at(i);
        SheetTask task;
        task.number = i + 1;
        task.sentence = sentence;

        SheetTask words = task;
        QStringList pieces = cutIntoPieces(sentence);
        sortCaseInsensitive(pieces);
        words.shownText = textCase.displayForm(shufflePieces(pieces, random));
        dosensatz.tasks.append(words);

        if (const PuzzleLayout layout = layOutPuzzle(sentence, textCase); layout.fits()) {
            SheetTask tiles = task;
            tiles.tiles = layout.tiles.first(layout.pieceCount);
            puzzle.tasks.append(tiles);
        }

        SheetTask grid = task;
        grid.mosaic = buildMosaic(sentence, random);
        mosaic.tasks.append(grid);

        SheetTask misprinted = task;
        misprinted.shownText = textCase.displayForm(buildMisprint(sentence, random).line);
        verrutscher.tasks.append(misprinted);
    }
    content.sections = {dosensatz, puzzle, mosaic, verrutscher};
    return content;
}

} // namespace tivoral
