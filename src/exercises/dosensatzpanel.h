#pragma once

#include "exercises/exercisepanel.h"

namespace tivoral {

class DosensatzExercise;
class SyllableLabel;
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

    SyllableLabel* words_ = nullptr;
    TypingInput* input_ = nullptr;
};

} // namespace tivoral
