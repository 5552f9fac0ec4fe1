#include "exercises/answerkeyguard.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

namespace tivoral {

AnswerKeyGuard::AnswerKeyGuard(QPlainTextEdit& answerBox, QWidget& panel)
    : QObject(&panel), answerBox_(answerBox) {
    for (QAbstractButton* button : panel.findChildren<QAbstractButton*>()) {
        if (button->focusPolicy() & Qt::TabFocus)
            button->installEventFilter(this);
    }
}

bool AnswerKeyGuard::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        button->click();
        return true;
    }
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
        (key->modifiers() & Qt::ControlModifier)) {
        // Ctrl+Tab, which led here from the answer box, goes on as Tab does.
        QKeyEvent tab(QEvent::KeyPress, key->key(), key->modifiers() & ~Qt::ControlModifier);
        QCoreApplication::sendEvent(button, &tab);
        return true;
    }
    const QString text = key->text();
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) ||
        text.isEmpty() || !text.front().isPrint())
        return false;
    QTextCursor end = answerBox_.textCursor();
    end.movePosition(QTextCursor::End);
    answerBox_.setTextCursor(end);
    answerBox_.setFocus(Qt::OtherFocusReason);
    QCoreApplication::sendEvent(&answerBox_, key);
    return true;
}

} // namespace tivoral
