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

// What the section tells the child to do on paper.
QString taskText(SheetExercise exercise) {
    switch (exercise) {
    case SheetExercise::Dosensatz:
        return QStringLiteral("Die Wörter sind durcheinander. Schreibe den Satz richtig auf.");
    case SheetExercise::Puzzle:
        return QStringLiteral(
            "Schneide die Wörter aus und klebe sie in der richtigen Reihenfolge auf.");
    case SheetExercise::Mosaic:
        return QStringLiteral(
            "Im Gitter ist ein Satz versteckt. Finde ihn und schreibe ihn richtig auf.");
    case SheetExercise::Verrutscher:
        return QStringLiteral("Der Satz ist verrutscht. Schreibe ihn richtig auf.");
    }
    return {};
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

const QList<SheetExerciseKind>& sheetExercises() {
    static const QList<SheetExerciseKind> kinds = [] {
        QList<SheetExerciseKind> result;
        for (const ExerciseDescriptor& descriptor : exerciseCatalog()) {
            if (!descriptor.sheet)
                continue;
            const QString name = descriptor.profile().name;
            result.append({*descriptor.sheet, name, taskText(*descriptor.sheet),
                           QString(name).remove(QLatin1Char(' '))});
        }
        return result;
    }();
    return kinds;
}

QStringList chosenSentences(const QStringList& list, const QList<int>& marked,
                            const WorksheetOptions& options) {
    switch (options.sentences) {
    case WorksheetOptions::Sentences::All:
        break;
    case WorksheetOptions::Sentences::First:
        return list.first(std::clamp<qsizetype>(options.firstCount, 0, list.size()));
    case WorksheetOptions::Sentences::Marked: {
        QList<int> rows = marked;
        std::sort(rows.begin(), rows.end());
        QStringList chosen;
        for (const int row : rows) {
            if (row >= 0 && row < list.size())
                chosen.append(list.at(row));
        }
        return chosen;
    }
    }
    return list;
}

WorksheetContent composeWorksheet(const QString& listName, const QStringList& sentences,
                                  RandomSource& random, const TextCaseOption& textCase,
                                  const WorksheetOptions& options) {
    WorksheetContent content;
    content.listName = listName;
    content.showsAnswers = options.solutions;
    content.options = options;
    const qsizetype taken = std::min<qsizetype>(sentences.size(), WorksheetContent::MaxSentences);
    content.answers = sentences.first(taken);
    content.leftOut = int(sentences.size() - taken);

    for (const SheetExerciseKind& kind : sheetExercises()) {
        if (options.exercises.contains(kind.exercise))
            content.sections.append(SheetSection{kind.exercise, kind.title, kind.task, {}});
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
