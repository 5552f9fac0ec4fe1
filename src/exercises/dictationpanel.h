#pragma once

#include "exercises/exercisepanel.h"

class QPushButton;

namespace tivoral {

class DictationExercise;
class TypingInput;

// The Hördiktat panel: two large buttons to hear the sentence or the next word, and the light
// answer box. Nothing on it shows the sentence.
class DictationPanel final : public ExercisePanel {
    Q_OBJECT
public:
    explicit DictationPanel(DictationExercise& dictation, QWidget* parent = nullptr);

protected:
    void focusInput() override;

private:
    static PanelNames names();
    QPushButton* addHearingButton(const QString& name, const QString& caption,
                                  const QString& icon, int leftTwips);

    TypingInput* input_ = nullptr;
};

} // namespace tivoral
