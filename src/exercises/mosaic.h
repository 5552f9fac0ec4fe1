#pragma once

#include "exercises/typingexercise.h"

#include <QChar>
#include <QString>

namespace tivoral {

class RandomSource;

// The sentence hidden in capitals among copies of one filler letter, 12 rows of 26 cells.
struct Mosaic {
    static constexpr int Rows = 12;
    static constexpr int Columns = 26;
    static constexpr int CellCount = Rows * Columns;

    QString hiddenText;   // the sentence in capitals without blanks
    QString spareLetters; // the letters of the alphabet the sentence does not use
    QString fillerLetter; // one spare letter; empty when the sentence uses every letter
    QString grid;         // row by row without breaks; only the first CellCount are drawn

    // The character of a cell counted row by row from 0; a null character past the grid.
    QChar cell(int index) const;
    // Whether the cell holds a character of the sentence (the Rettungsring marks it red).
    bool isSentenceCell(int index) const;
};

// The letters the filler letter is chosen from, in this order.
QString mosaicAlphabet();

// Draws exactly 1 + max(0, CellCount − length of the hidden text) numbers from the source:
// first the filler letter, then the place of every filler letter in turn.
Mosaic buildMosaic(const QString& sentence, RandomSource& random);

// "Mosaiksatz": the child finds the sentence in the letter grid and types it.
class MosaicExercise final : public TypingExercise {
    Q_OBJECT
public:
    explicit MosaicExercise(ExerciseFrame& frame, QObject* parent = nullptr);

    void setUp(const QString& sentence) override;
    // The Lupe shows the whole sentence here.
    void showLupeText() override;
    // The Rettungsring marks the sentence's cells red instead of showing a message.
    void showRettungsringHelp() override;

    const Mosaic& mosaic() const { return mosaic_; }
    bool isMarked() const { return marked_; }

Q_SIGNALS:
    // The grid or its marks changed; the view repaints from mosaic() and isMarked().
    void mosaicChanged();

private:
    Mosaic mosaic_;
    bool marked_ = false;
};

} // namespace tivoral
