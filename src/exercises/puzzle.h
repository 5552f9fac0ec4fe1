#pragma once

#include "exercises/exercise.h"

#include <QString>
#include <QStringList>

namespace tivoral {

class TextCaseOption;

// The tiles of one puzzle sentence and the text the target field must show at the end.
struct PuzzleLayout {
    static constexpr int TileCount = 18;

    QStringList tiles;  // TileCount texts in display form, sorted; empty beyond the pieces
    int pieceCount = 0; // one point per piece
    QString solution;   // the pieces joined in sentence order, in the stored letter case

    static constexpr bool fitsCount(int count) { return count >= 1 && count <= TileCount; }
    bool fits() const { return fitsCount(pieceCount); }
};

// The number of pieces the sentence is cut into, without cutting it.
int puzzlePieceCount(const QString& sentence);
// Whether the sentence has a tile for every piece.
bool fitsPuzzle(const QString& sentence);

// Cuts the sentence, sorts the pieces and puts them in display form. A sentence with more
// pieces than tiles gets no tiles at all (fits() is false).
PuzzleLayout layOutPuzzle(const QString& sentence, const TextCaseOption& textCase);

enum class DropVerdict { Ignored, Wrong, Accepted, Finished };

// Whether the word is the next piece after the target text; letter case counts on neither side.
// An empty word (an emptied tile) is ignored.
DropVerdict checkDrop(const QString& targetText, const QString& word, const QString& solution);

// "Satzpuzzle": the child drops the sorted word tiles onto the target field in sentence order.
class PuzzleExercise final : public Exercise {
    Q_OBJECT
public:
    explicit PuzzleExercise(ExerciseFrame& frame, QObject* parent = nullptr);

    void setUp(const QString& sentence) override;
    bool isSetUp() const override { return layout_.fits(); }

    // Tile numbers count from 1 (`puzzleTile1` … `puzzleTile18`).
    QString tileText(int tileNumber) const;
    const QString& targetText() const { return targetText_; }
    QString answerSoFar() const override { return targetText_; }

    // A tile released over the target field; numbers outside 1 … 18 are ignored.
    void dropTile(int tileNumber);

Q_SIGNALS:
    // A new sentence was laid out: every tile and the target field changed.
    void laidOut();
    // The word of this tile joined the target text and the tile is empty now.
    void pieceAccepted(int tileNumber);

private:
    // A sentence with too many words is skipped for the next one that fits.
    void skipSentenceThatDoesNotFit();

    PuzzleLayout layout_;
    QString targetText_;
};

} // namespace tivoral
