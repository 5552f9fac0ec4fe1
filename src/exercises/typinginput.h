#pragma once

#include <QPlainTextEdit>

namespace tivoral {

class TypingExercise;

// The text box of a typing exercise: every change goes to the exercise's check, and the text
// turns red or black as the check says. Enter is never typed: a finished sentence needs no key,
// so an unfinished one only gets a hint. Tab and Shift+Tab do nothing; Ctrl+Tab and
// Ctrl+Shift+Tab move the keyboard on to the panel's buttons.
class TypingInput final : public QPlainTextEdit {
    Q_OBJECT
public:
    TypingInput(TypingExercise& exercise, const QString& objectName, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showCheck(bool isPrefix);
    void replaceText(const QString& text);

    TypingExercise& exercise_;
    bool isPrefix_ = true;
};

} // namespace tivoral
