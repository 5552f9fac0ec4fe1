#pragma once

#include "exercises/exercise.h"

#include <QString>

namespace tivoral {

// An exercise the child answers by typing the sentence into a text box: the live check on
// every change, and the finish when the answer equals the target.
class TypingExercise : public Exercise {
    Q_OBJECT
public:
    using Exercise::Exercise;

    const QString& answer() const { return answer_; }
    QString answerSoFar() const override { return answer_; }
    // Black while true, red otherwise.
    bool answerIsPrefix() const { return answerIsPrefix_; }

    // Every change of the text box, by the child or by the program.
    void typeAnswer(const QString& typed);

Q_SIGNALS:
    // The program changed the answer (it cleared it); the view shows the new text.
    void answerReplaced(const QString& text);
    void answerChecked(bool isPrefix);

protected:
    // Empties the answer, which runs the check on the empty text, and asks for the focus.
    void clearAnswer();
    // What a finished sentence brings: its word count, unless the exercise counts otherwise.
    virtual int pointsEarned() const;

private:
    QString answer_;
    bool answerIsPrefix_ = true;
};

} // namespace tivoral
