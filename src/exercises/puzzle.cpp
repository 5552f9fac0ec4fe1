#include "exercises/puzzle.h"

#include "exercises/exerciseframe.h"
#include "exercises/exerciseprofiles.h"
#include "exercises/sentencerules.h"
#include "platform/textcase.h"
#include "platform/textmarks.h"
#include "store/appstate.h"

#include <algorithm>

namespace tivoral {

namespace {

// Equal without regard to letter case, one character to one character. Folded, ẞ and ß are
// one letter, which upper-casing (ß stays ß) would keep apart.
bool sameIgnoringCase(QStringView a, QStringView b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](QChar x, QChar y) { return x.toCaseFolded() == y.toCaseFolded(); });
}

} // namespace

int puzzlePieceCount(const QString& sentence) {
    // Every piece ends with a blank, and one is appended when the sentence lacks it.
    const int blanks = int(sentence.count(Blank));
    return sentence.endsWith(Blank) ? blanks : blanks + 1;
}

bool fitsPuzzle(const QString& sentence) {
    return PuzzleLayout::fitsCount(puzzlePieceCount(sentence));
}

PuzzleLayout layOutPuzzle(const QString& sentence, const TextCaseOption& textCase) {
    PuzzleLayout layout;
    layout.tiles = QStringList(PuzzleLayout::TileCount);
    QStringList pieces = cutIntoPieces(sentence);
    layout.pieceCount = int(pieces.size());
    // Compared against the joined pieces rather than the sentence plus a blank, so that a
    // sentence already ending in a blank can be finished too.
    layout.solution = pieces.join(QString());
    if (!layout.fits())
        return layout;
    sortCaseInsensitive(pieces);
    for (int k = 0; k < layout.pieceCount; ++k)
        layout.tiles[k] = textCase.displayForm(pieces.at(k));
    return layout;
}

DropVerdict checkDrop(const QString& targetText, const QString& word, const QString& solution) {
    if (word.isEmpty())
        return DropVerdict::Ignored;
    // The beginning of the solution as long as target text and word together, compared without
    // regard to letter case; without building either text.
    const qsizetype length = targetText.size() + word.size();
    if (length > solution.size())
        return DropVerdict::Wrong;
    const QStringView solutionView(solution);
    if (!sameIgnoringCase(targetText, solutionView.first(targetText.size())) ||
        !sameIgnoringCase(word, solutionView.sliced(targetText.size(), word.size())))
        return DropVerdict::Wrong;
    return length == solution.size() ? DropVerdict::Finished : DropVerdict::Accepted;
}

PuzzleExercise::PuzzleExercise(ExerciseFrame& frame, QObject* parent)
    : Exercise(frame, exerciseprofiles::puzzle(), parent) {}

QString PuzzleExercise::tileText(int tileNumber) const {
    if (tileNumber < 1 || tileNumber > layout_.tiles.size())
        return {};
    return layout_.tiles.at(tileNumber - 1);
}

void PuzzleExercise::setUp(const QString& sentence) {
    targetText_.clear();
    layout_ = layOutPuzzle(sentence, frame().app().textCase);
    Q_EMIT laidOut();
    if (!layout_.fits())
        skipSentenceThatDoesNotFit();
}

void PuzzleExercise::skipSentenceThatDoesNotFit() {
    AppState& app = frame().app();
    const SentenceStore& store = app.store;
    const int current = store.selected();
    for (int step = 1; step < store.count(); ++step) {
        const int position = (current + step) % store.count();
        if (position >= 0 && fitsPuzzle(store.entry(position))) {
            app.dialogs.message(QStringLiteral("Dieser Satz hat zu viele Wörter für das Puzzle.\r"
                                               "Es geht mit dem nächsten Satz weiter.\r\r"),
                                profile().name, Buttons::Ok, Icon::Information);
            frame().setUpAt(*this, position);
            return;
        }
    }
    app.dialogs.message(QStringLiteral("Kein Satz der Liste passt ins Puzzle:\r"
                                       "Jeder hat mehr als 18 Wörter.\r\r"),
                        profile().name, Buttons::Ok, Icon::Information);
    frame().leaveExercise(*this);
}

void PuzzleExercise::dropTile(int tileNumber) {
    if (tileNumber < 1 || tileNumber > layout_.tiles.size())
        return;
    QString& tile = layout_.tiles[tileNumber - 1];
    const DropVerdict verdict = checkDrop(targetText_, tile, layout_.solution);
    switch (verdict) {
    case DropVerdict::Ignored:
        return;
    case DropVerdict::Wrong:
        frame().answerTurnedRed();
        frame().app().dialogs.readingMessage(QStringLiteral("Das ist das falsche Wort.\r\r"),
                                             QStringLiteral("Puzzlefehler"));
        return;
    case DropVerdict::Accepted:
    case DropVerdict::Finished:
        break;
    }
    // The target field shows the sentence in its own letter case, whatever the tile showed.
    targetText_ = layout_.solution.left(targetText_.size() + tile.size());
    tile.clear();
    Q_EMIT pieceAccepted(tileNumber);
    if (verdict == DropVerdict::Finished)
        frame().completeSentence(*this, layout_.pieceCount);
}

} // namespace tivoral
