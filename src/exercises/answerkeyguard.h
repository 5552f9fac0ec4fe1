#pragma once

#include <QObject>

class QPlainTextEdit;
class QWidget;

namespace tivoral {

// Keeps a stray key from costing the child his typing: a letter, digit, blank or mark typed
// while one of the panel's buttons has the keyboard goes to the end of the answer box (and the
// keyboard with it) instead of pressing the button. Enter presses the button that has the
// keyboard; Ctrl+Tab moves on from it as Tab does.
class AnswerKeyGuard final : public QObject {
    Q_OBJECT
public:
    // Watches every button of the panel that can take the keyboard.
    AnswerKeyGuard(QPlainTextEdit& answerBox, QWidget& panel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit& answerBox_;
};

} // namespace tivoral
