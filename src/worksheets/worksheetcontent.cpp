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

const QList<SheetExerciseKind>& sheetExercises() {
    static const QList<SheetExerciseKind> kinds{
        {SheetExercise::Dosensatz, QStringLiteral("Dosensatz"),
         QStringLiteral("Die Wörter sind durcheinander. Schreibe den Satz richtig auf."),
         "Dosensatz"},
        {SheetExercise::Puzzle, QStringLiteral("Satzpuzzle"),
         QStringLiteral("Schneide die Wörter aus und klebe sie in der richtigen Reihenfolge auf."),
         "Satzpuzzle"},
        {SheetExercise::Mosaic, QStringLiteral("Mosaiksatz"),
         QStringLiteral(
             "Im Gitter ist ein Satz versteckt. Finde ihn und schreibe ihn richtig auf."),
         "Mosaiksatz"},
        {SheetExercise::Verrutscher, QStringLiteral("Verrutscher Satz"),
         QStringLiteral("Der Satz ist verrutscht. Schreibe ihn richtig auf."), "Verrutscher"},
    };
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
    const qsizetype taken = std::min<qsizetype>(sentences.size(), WorksheetContent::MaxSentences);
    content.answers = sentences.first(taken);
    content.leftOut = int(sentences.size() - taken);

    QList<SheetSection> sections;
    for (const SheetExerciseKind& kind : sheetExercises()) {
        if (options.exercises.contains(kind.exercise))
            sections.append(SheetSection{kind.exercise, kind.title, kind.task, {}});
    }

    random.seedFromTimeOfDay();
    for (int i = 0; i < content.answers.size(); ++i) {
        const QString& sentence = content.answers.at(i);
        for (SheetSection& section : sections) {
            SheetTask task;
            task.number = i + 1;
            task.sentence = sentence;
            switch (section.exercise) {
            case SheetExercise::Dosensatz: {
                QStringList pieces = cutIntoPieces(sentence);
                sortCaseInsensitive(pieces);
                task.shownText = textCase.displayForm(shufflePieces(pieces, random));
                break;
            }
            case SheetExercise::Puzzle: {
                const PuzzleLayout layout = layOutPuzzle(sentence, textCase);
                if (!layout.fits())
                    continue;
                task.tiles = layout.tiles.first(layout.pieceCount);
                break;
            }
            case SheetExercise::Mosaic:
                task.mosaic = buildMosaic(sentence, random);
                break;
            case SheetExercise::Verrutscher:
                task.shownText = textCase.displayForm(buildMisprint(sentence, random).line);
                break;
            }
            section.tasks.append(task);
        }
    }
    content.sections = sections;
    return content;
}

} // namespace tivoral
