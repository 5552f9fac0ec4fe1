#pragma once

#include <QHash>
#include <QPushButton>

namespace tivoral {

class Exercise;
class ExerciseFrame;

// The reward button: appears when a child leaves an exercise with enough points and
// leads to the reward game. Its long caption is drawn wrapped under a picture.
class RewardButton final : public QPushButton {
    Q_OBJECT
public:
    static constexpr int TopTwips = 3120;
    static constexpr int WidthTwips = 2535;
    static constexpr int HeightTwips = 1575;

    RewardButton(ExerciseFrame& frame, QWidget* parent = nullptr);

    // The button appears at this left edge when the exercise offers the reward.
    void addExercise(const Exercise& exercise, int leftTwips);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showOffer(bool offered, const Exercise* from);

    QHash<const Exercise*, int> leftTwips_;
};

} // namespace tivoral
