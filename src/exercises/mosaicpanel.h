#pragma once

#include "exercises/exercisepanel.h"

#include <QRect>

namespace tivoral {

class MosaicExercise;
class TypingInput;

// The Mosaik panel: the letter grid, drawn from the exercise's model, above the answer box.
class MosaicPanel final : public ExercisePanel {
    Q_OBJECT
public:
    explicit MosaicPanel(MosaicExercise& exercise, QWidget* parent = nullptr);

    // Where a cell (counted row by row from 0) stands on the panel, in pixels.
    static QRect cellRect(int index);

protected:
    void focusInput() override;

private:
    static PanelNames names();

    TypingInput* input_ = nullptr;
};

// Paints the grid and its red marks; it only reads the model, so repainting never builds anew.
class MosaicGridView final : public QWidget {
    Q_OBJECT
public:
    explicit MosaicGridView(const MosaicExercise& exercise, QWidget* parent = nullptr);

    // The drawing font: Courier New, or another bold monospace font where it is missing.
    static QFont gridFont();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const MosaicExercise& exercise_;
};

} // namespace tivoral
