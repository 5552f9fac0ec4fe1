#pragma once

#include "exercises/exercisepanel.h"

class QLabel;
class QPlainTextEdit;

namespace tivoral {

class Dosensatz;

// The panel "Picture3": the jumbled words above, the light input field below.
class DosensatzPanel final : public ExercisePanel {
    Q_OBJECT
public:
    explicit DosensatzPanel(Dosensatz& dosensatz, QWidget* parent = nullptr);

protected:
    void focusInput() override;

private:
    static PanelNames names();
    void showInputState(bool isPrefix);
    void replaceInput(const QString& text);

    Dosensatz& dosensatz_;
    QLabel* words_ = nullptr;
    QPlainTextEdit* input_ = nullptr;
};

} // namespace tivoral
