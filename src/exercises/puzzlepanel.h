#pragma once

#include "exercises/exercisepanel.h"
#include "platform/syllablecolours.h"

#include <QLabel>

#include <array>

class QMimeData;

namespace tivoral {

class PuzzleExercise;

// A word tile `puzzleTile1` … `puzzleTile18`: pressing the mouse on it starts dragging it at once;
// a keyboard user puts it on the target field with Space or Enter.
class PuzzleTile final : public SyllableLabel {
    Q_OBJECT
public:
    PuzzleTile(int number, QWidget* parent);

    int number() const { return number_; }
    // The piece as the tile shows it; the blank that ends every piece is not drawn.
    void setPiece(const QString& piece);
    // What a drag of this tile carries; the caller owns it.
    QMimeData* dragData() const;

Q_SIGNALS:
    void placeRequested(int number);
    // The child took the tile with the mouse or moved to it with the keyboard.
    void pickedUp(int number);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A frame shows a keyboard user which tile Space or Enter would place.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int number_;
};

// The target field: only a tile of the same panel dropped on it counts. A screen reader
// hears the words placed so far, or what the field is for while it is empty.
class PuzzleTarget final : public QLabel {
    Q_OBJECT
public:
    explicit PuzzleTarget(QWidget* parent);

    void showSentence(const QString& placed);

Q_SIGNALS:
    void tileDropped(int number);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The tile being dragged, when it is one of this panel's.
    PuzzleTile* draggedTile(const QDropEvent* event) const;
};

// The puzzle panel: the word tiles on their field and the blue target field below.
class PuzzlePanel final : public ExercisePanel {
    Q_OBJECT
public:
    explicit PuzzlePanel(PuzzleExercise& puzzle, QWidget* parent = nullptr);

private:
    // A tile released over the target field (the target's drop, after the drag has ended).
    void dropTile(int number);
    static PanelNames names();
    void showLayout();
    void emptyTile(int number);
    // The keyboard starts at the first tile that still holds a word, in tile order. (After a
    // help box the focus stays where it was: the puzzle has no answer box to go back to.)
    void focusFirstTile();
    // Tiles keep their left edges unless a long word would run into the next tile or out of
    // the field; then they move left, and only when a row is still too full, shrink.
    void arrangeRow(const QList<PuzzleTile*>& row);

    PuzzleExercise& puzzle_;
    std::array<PuzzleTile*, 18> tiles_{};
    QList<QList<PuzzleTile*>> rows_;
    PuzzleTarget* target_ = nullptr;
};

} // namespace tivoral
