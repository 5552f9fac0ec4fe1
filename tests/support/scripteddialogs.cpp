#include "scripteddialogs.h"

namespace tivoral::testing {

Answer ScriptedDialogs::message(const QString& prompt, const QString& title, Buttons buttons,
                                Icon icon, Answer defaultAnswer) {
    boxes.append(Box{prompt, title, buttons, icon, defaultAnswer, false, {}});
    if (whileOpen)
        whileOpen();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return answers.isEmpty() ? defaultAnswer : answers.dequeue();
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title,
                               const QString& defaultText) {
    boxes.append(Box{prompt, title, Buttons::Ok, Icon::None, Answer::Ok, true, defaultText});
    return inputs.isEmpty() ? QString() : inputs.dequeue();
}

QList<ScriptedDialogs::Box> ScriptedDialogs::messages() const {
    QList<Box> result;
    for (const Box& box : boxes)
        if (!box.isInput)
            result.append(box);
    return result;
}

QStringList ScriptedDialogs::prompts() const {
    QStringList result;
    for (const Box& box : messages())
        result.append(box.prompt);
    return result;
}

QStringList ScriptedDialogs::titles() const {
    QStringList result;
    for (const Box& box : messages())
        result.append(box.title);
    return result;
}

} // namespace tivoral::testing
