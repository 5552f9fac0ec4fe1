#include "exercises/typinginput.h"

#include "exercises/exerciseframe.h"
#include "exercises/panelstyle.h"
#include "exercises/typingexercise.h"
#include "store/appstate.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QToolTip>

namespace tivoral {

namespace {
constexpr int InputFontPoints = 18;
constexpr int HintMilliseconds = 4000;
} // namespace

TypingInput::TypingInput(TypingExercise& exercise, const QString& objectName, QWidget* parent)
    : QPlainTextEdit(parent), exercise_(exercise) {
    setObjectName(objectName);
    setAccessibleName(QStringLiteral("Hier den Satz schreiben"));
    // A stray Tab must not carry the child's typing off to a button: see keyPressEvent.
    setTabChangesFocus(false);
    setFont(panelstyle::layoutFont(InputFontPoints));
    showCheck(true);

    connect(this, &QPlainTextEdit::textChanged, this,
            [this] { exercise_.typeAnswer(toPlainText()); });
    connect(&exercise, &TypingExercise::answerReplaced, this, &TypingInput::replaceText);
    connect(&exercise, &TypingExercise::answerChecked, this, &TypingInput::showCheck);
    connect(&exercise.frame().app().readingAids, &ReadingAids::changed, this,
            [this] { showCheck(isPrefix_); });
}

void TypingInput::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        // Tab sits next to Q and is hit by mistake: it types nothing and stays. With Ctrl the
        // keyboard still reaches the panel's buttons, as in Qt's own text fields.
        event->accept();
        if (event->modifiers() & Qt::ControlModifier)
            QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab &&
                                        !(event->modifiers() & Qt::ShiftModifier));
        return;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return QPlainTextEdit::keyPressEvent(event);
    event->accept();
    QToolTip::showText(mapToGlobal(cursorRect().bottomLeft()),
                       QStringLiteral("Der Satz ist noch nicht fertig."), this, QRect(),
                       HintMilliseconds);
}

void TypingInput::replaceText(const QString& text) {
    // The exercise checks its own replacement; the box only has to show it.
    const QSignalBlocker blocker(this);
    setPlainText(text);
}

void TypingInput::showCheck(bool isPrefix) {
    isPrefix_ = isPrefix;
    const bool high = exercise_.frame().app().readingAids.current().highContrast;
    const panelstyle::RoleColours colours = panelstyle::colours(panelstyle::TextRole::Answer, high);
    panelstyle::setColours(this, colours.background,
                           isPrefix ? colours.text : panelstyle::wrongColour(high));
    // Told apart by more than its colour where the red is dark.
    QFont shown = font();
    shown.setUnderline(!isPrefix && panelstyle::underlineWrong(high));
    if (shown != font())
        setFont(shown);
}

} // namespace tivoral
