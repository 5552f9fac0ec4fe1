#pragma once

#include "exercises/exercisepanel.h"

class QLabel;

namespace tivoral {

class DosensatzExercise;
class TypingInput;

// The Dosensatz panel: the jumbled words above, the light input field below.
class DosensatzPanel final : public ExercisePanel {
    Q_OBJECT
public:
    explicit DosensatzPanel(DosensatzExercise& dosensatz, QWidget* parent = nullptr);

protected:
    void focusInput() override;

private:
    static PanelNames names();

    QLabel* words_ = nullptr;
    TypingInput* input_ = nullptr;
};

} // namespace tivoral
