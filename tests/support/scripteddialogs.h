#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

namespace tivoral::testing {

// Records every box and answers from queues: Yes/No and Yes/No/Cancel boxes take the next
// queued answer (the box's default when none is queued), input boxes the next queued text
// (empty = cancel).
class ScriptedDialogs final : public Dialogs {
public:
    struct Box {
        QString prompt;
        QString title;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        Answer defaultAnswer = Answer::No;
        bool isInput = false;
        QString defaultText;
        bool hidesLetters = false;
    };

    Answer message(const QString& prompt, const QString& title, Buttons buttons, Icon icon,
                   Answer defaultAnswer) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    // Takes its answer from the same queue as input.
    QString passwordInput(const QString& prompt, const QString& title) override;
    // Takes its answer from the same queue as message.
    Answer question(const QString& prompt, const QString& title, const QString& yesText,
                    const QString& noText, Icon icon) override;

    void queueAnswer(Answer answer) { answers.enqueue(answer); }
    void queueInput(const QString& text) { inputs.enqueue(text); }

    // Runs while each message box is open, as a nested event loop would (timers, for example).
    std::function<void()> whileOpen;

    QList<Box> boxes;
    // The own button texts of each question, in order.
    QList<QStringList> questionButtons;
    QQueue<Answer> answers;
    QQueue<QString> inputs;

    // Message boxes only (no input boxes), in order.
    QList<Box> messages() const;
    QStringList prompts() const;
    QStringList titles() const;
    const Box& last() const { return boxes.constLast(); }
    void clear() { boxes.clear(); }
};

} // namespace tivoral::testing
