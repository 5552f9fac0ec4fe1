#pragma once

#include "platform/dialogs.h"

#include <QFont>
#include <QRgb>

#include <functional>
#include <optional>

class QMessageBox;
class QWidget;

namespace tivoral {

// How the boxes a child reads look: the child's reading font, a width that keeps a sentence on
// few lines, and at high contrast the colours of the text and its background.
struct ReadingBoxLook {
    struct Colours {
        QRgb background;
        QRgb text;
    };
    QFont font;
    int minimumTextWidth = 0;
    std::optional<Colours> colours;
};

// The real message and input boxes. CR in a prompt becomes a line break on screen.
class QtDialogs final : public Dialogs {
public:
    Answer message(const QString& prompt, const QString& title, Buttons buttons, Icon icon,
                   Answer defaultAnswer) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString passwordInput(const QString& prompt, const QString& title) override;
    // In the look the source gives at the moment the box opens; a plain box without one.
    Answer readingMessage(const QString& prompt, const QString& title, Icon icon) override;

    void setReadingLook(std::function<ReadingBoxLook()> source) {
        readingLook_ = std::move(source);
    }
    // Gives the box's text that look, made smaller only where the box would not fit its screen.
    static void applyReadingLook(QMessageBox& box, const ReadingBoxLook& look);
    Answer question(const QString& prompt, const QString& title, const QString& yesText,
                    const QString& noText, Icon icon) override;

private:
    static QWidget* parentWindow();

    std::function<ReadingBoxLook()> readingLook_;
};

} // namespace tivoral
