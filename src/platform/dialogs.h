#pragma once

#include <QString>

namespace tivoral {

// YesNoCancel shows Ja, Nein and Abbrechen; Escape answers Cancel there, No in a YesNo box.
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Information, Warning, Critical, Question };
enum class Answer { Ok, Yes, No, Cancel };

// Every message box and input box of the program goes through this interface, so the logic can
// be driven and checked without a window. Prompts keep their CR characters.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer message(const QString& prompt, const QString& title,
                           Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                           Answer defaultAnswer = Answer::No) = 0;
    // Returns the text entered, or an empty text when the box was cancelled.
    virtual QString input(const QString& prompt, const QString& title,
                          const QString& defaultText = {}) = 0;
    // An input box that hides the letters typed, for passwords. Boxes on screen must override
    // it; a box nobody sees may take the plain form.
    virtual QString passwordInput(const QString& prompt, const QString& title) {
        return input(prompt, title);
    }
    // A box with an OK button that a child reads in an exercise or the game (a help, a
    // completion): shown in the child's reading look where the boxes on screen know it.
    virtual Answer readingMessage(const QString& prompt, const QString& title,
                                  Icon icon = Icon::None) {
        return message(prompt, title, Buttons::Ok, icon);
    }

    // A question with buttons of its own: the first answers Yes, the second No (the default, and
    // what Escape answers). Boxes on screen must override it to show the texts.
    virtual Answer question(const QString& prompt, const QString& title, const QString& /*yesText*/,
                            const QString& /*noText*/, Icon icon = Icon::Question) {
        return message(prompt, title, Buttons::YesNo, icon, Answer::No);
    }
};

} // namespace tivoral
