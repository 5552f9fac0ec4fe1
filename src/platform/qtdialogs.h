#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace tivoral {

// The real message and input boxes. CR in a prompt becomes a line break on screen.
class QtDialogs final : public Dialogs {
public:
    Answer message(const QString& prompt, const QString& title, Buttons buttons, Icon icon,
                   Answer defaultAnswer) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString passwordInput(const QString& prompt, const QString& title) override;
    Answer question(const QString& prompt, const QString& title, const QString& yesText,
                    const QString& noText, Icon icon) override;

private:
    static QWidget* parentWindow();
};

} // namespace tivoral
