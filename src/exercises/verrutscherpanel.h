#pragma once

#include "exercises/exercisepanel.h"

#include <QLabel>

namespace tivoral {

class TypingInput;

// The misprint display: breaks its line itself, at the wide gaps, whenever the line,
// its width or its font changes.
class MisprintDisplay final : public QLabel {
    Q_OBJECT
public:
    explicit MisprintDisplay(QWidget* parent = nullptr);

    void showLine(const QString& line);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void breakLines();

    QString line_;
};
class VerrutscherExercise;

// The Verrutscher panel: the misprinted sentence above, the light input field below.
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
