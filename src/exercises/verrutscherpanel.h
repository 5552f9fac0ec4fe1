#pragma once

#include "exercises/exercisepanel.h"

namespace tivoral {

class TypingInput;
class VerrutscherExercise;

// The panel "lücken": the misprinted sentence above, the light input field below.
class VerrutscherPanel final : public ExercisePanel {
    Q_OBJECT
public:
    explicit VerrutscherPanel(VerrutscherExercise& exercise, QWidget* parent = nullptr);

protected:
    void focusInput() override;

private:
    static PanelNames names();

    TypingInput* input_ = nullptr;
};

} // namespace tivoral
