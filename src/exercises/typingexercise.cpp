#include "exercises/typingexercise.h"

#include "exercises/exerciseframe.h"
#include "exercises/sentencerules.h"

namespace tivoral {

void TypingExercise::typeAnswer(const QString& typed) {
    answer_ = typed;
    const QString& target = frame().target();
    const TypingCheck check = checkTyping(answer_, target);
    if (answerIsPrefix_ && !check.isPrefix)
        frame().answerTurnedRed();
    answerIsPrefix_ = check.isPrefix;
    Q_EMIT answerChecked(answerIsPrefix_);
    if (!check.finished)
        return;
    frame().setWordCount(countWords(target));
    frame().completeSentence(*this, pointsEarned());
}

int TypingExercise::pointsEarned() const {
    return frame().wordCount();
}

void TypingExercise::clearAnswer() {
    Q_EMIT answerReplaced(QString());
    typeAnswer(QString());
    Q_EMIT focusInputRequested();
}

} // namespace tivoral
