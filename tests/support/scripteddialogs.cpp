#include "scripteddialogs.h"

#include "platform/folderlock.h"

namespace tivoral::testing {

namespace {
// Every test checks this rule: another computer would wait while the box is open.
void refuseWhileLockHeld(const QString& title) {
    if (FolderLock::heldInThisProcess())
        qFatal("the box \"%s\" opened while the folder lock was held", qPrintable(title));
}
} // namespace

Answer ScriptedDialogs::message(const QString& prompt, const QString& title, Buttons buttons,
                                Icon icon, Answer defaultAnswer) {
    refuseWhileLockHeld(title);
    boxes.append(Box{prompt, title, buttons, icon, defaultAnswer, false, {}});
    if (whileOpen)
        whileOpen();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    const Answer answer = answers.isEmpty() ? defaultAnswer : answers.dequeue();
    // A script that answers with a button the box does not have is a fault of the test.
    if (answer == Answer::Ok || (answer == Answer::Cancel && buttons != Buttons::YesNoCancel))
        qFatal("scripted answer %d does not fit the box \"%s\"", int(answer), qPrintable(title));
    return answer;
}

Answer ScriptedDialogs::question(const QString& prompt, const QString& title,
                                 const QString& yesText, const QString& noText, Icon icon) {
    questionButtons.append({yesText, noText});
    return message(prompt, title, Buttons::YesNo, icon, Answer::No);
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title,
                               const QString& defaultText) {
    refuseWhileLockHeld(title);
    boxes.append(Box{prompt, title, Buttons::Ok, Icon::None, Answer::Ok, true, defaultText});
    return inputs.isEmpty() ? QString() : inputs.dequeue();
}

QString ScriptedDialogs::passwordInput(const QString& prompt, const QString& title) {
    refuseWhileLockHeld(title);
    boxes.append(Box{prompt, title, Buttons::Ok, Icon::None, Answer::Ok, true, {}, true});
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
