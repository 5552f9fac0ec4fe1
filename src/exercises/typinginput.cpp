#include "exercises/typinginput.h"

#include "exercises/panelstyle.h"
#include "exercises/typingexercise.h"

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
    setTabChangesFocus(true);
    setFont(panelstyle::layoutFont(InputFontPoints));
    panelstyle::setColours(this, panelstyle::LightBlue, panelstyle::TypingRight);

    connect(this, &QPlainTextEdit::textChanged, this,
            [this] { exercise_.typeAnswer(toPlainText()); });
    connect(&exercise, &TypingExercise::answerReplaced, this, &TypingInput::replaceText);
    connect(&exercise, &TypingExercise::answerChecked, this, &TypingInput::showCheck);
}

void TypingInput::keyPressEvent(QKeyEvent* event) {
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
    QPalette colours = palette();
    colours.setColor(QPalette::Text,
                     QColor(isPrefix ? panelstyle::TypingRight : panelstyle::TypingWrong));
    setPalette(colours);
}

} // namespace tivoral
