#include "worksheets/worksheetcontent.h"

#include "exercises/dosensatz.h"
#include "exercises/exercise.h"
#include "exercises/puzzle.h"
#include "exercises/sentencerules.h"
#include "exercises/verrutscher.h"
#include "platform/random.h"
#include "platform/textcase.h"
#include "store/textcaseoption.h"

#include <algorithm>
#include <optional>

namespace tivoral {

namespace {

// The section's title is the exercise's name; its task tells the child what to do on paper.
SheetSection section(const ExerciseDescriptor& descriptor) {
    SheetSection result;
    result.exercise = *descriptor.sheet;
    result.title = descriptor.profile().name;
    switch (result.exercise) {
    case SheetExercise::Dosensatz:
        result.task =
            QStringLiteral("Die Wörter sind durcheinander. Schreibe den Satz richtig auf.");
        break;
    case SheetExercise::Puzzle:
        result.task = QStringLiteral(
            "Schneide die Wörter aus und klebe sie in der richtigen Reihenfolge auf.");
        break;
    case SheetExercise::Mosaic:
        result.task = QStringLiteral(
            "Im Gitter ist ein Satz versteckt. Finde ihn und schreibe ihn richtig auf.");
        break;
    case SheetExercise::Verrutscher:
        result.task = QStringLiteral("Der Satz ist verrutscht. Schreibe ihn richtig auf.");
        break;
    }
    return result;
}

// The sentence set up as its exercise does; none when the exercise would skip it.
std::optional<SheetTask> setUpTask(SheetExercise exercise, SheetTask task, RandomSource& random,
                                   const TextCaseOption& textCase) {
    const QString& sentence = task.sentence;
    switch (exercise) {
    case SheetExercise::Dosensatz: {
        QStringList pieces = cutIntoPieces(sentence);
        sortCaseInsensitive(pieces);
        task.shownText = textCase.displayForm(shufflePieces(pieces, random));
        return task;
    }
    case SheetExercise::Puzzle: {
        const PuzzleLayout layout = layOutPuzzle(sentence, textCase);
        if (!layout.fits())
            return std::nullopt;
        task.tiles = layout.tiles.first(layout.pieceCount);
        return task;
    }
    case SheetExercise::Mosaic:
        task.mosaic = buildMosaic(sentence, random);
        return task;
    case SheetExercise::Verrutscher:
        task.shownText = textCase.displayForm(buildMisprint(sentence, random).line);
        return task;
    }
    return std::nullopt;
}

} // namespace

WorksheetContent composeWorksheet(const QString& listName, const QStringList& sentences,
                                  RandomSource& random, const TextCaseOption& textCase) {
    WorksheetContent content;
    content.listName = listName;
    const qsizetype taken = std::min<qsizetype>(sentences.size(), WorksheetContent::MaxSentences);
    content.answers = sentences.first(taken);
    content.leftOut = int(sentences.size() - taken);

    for (const ExerciseDescriptor& descriptor : exerciseCatalog()) {
        if (descriptor.sheet)
            content.sections.append(section(descriptor));
    }
    random.seedFromTimeOfDay();
    for (int i = 0; i < content.answers.size(); ++i) {
        SheetTask task;
        task.number = i + 1;
        task.sentence = content.answers.at(i);
        for (SheetSection& sheet : content.sections) {
            if (std::optional<SheetTask> set = setUpTask(sheet.exercise, task, random, textCase))
                sheet.tasks.append(*set);
        }
    }
    return content;
}

} // namespace tivoral
