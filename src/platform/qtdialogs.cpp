#include "platform/qtdialogs.h"

#include "platform/folderlock.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace tivoral {

namespace {
// Another computer waits on the folder lock for as long as a box stays open.
void checkNoLockHeld() {
    Q_ASSERT_X(!FolderLock::heldInThisProcess(), "QtDialogs",
               "a box must not open while the folder lock is held");
}

// Room a message box needs beside its text: its margins, title bar, icon and button row.
constexpr int BoxChromeWidth = 120;
constexpr int BoxChromeHeight = 160;
constexpr double SmallestReadingPoints = 10.0;
// The widest a message box makes itself on a screen of this width (what Qt allows it).
constexpr int WideScreenBoxLimit = 1000;
constexpr int BoxLimitScreenMargin = 480;
constexpr int SmallScreenWidth = 1024;
int boxWidthLimit(int screenWidth) {
    return screenWidth <= SmallScreenWidth
               ? screenWidth
               : std::min(screenWidth - BoxLimitScreenMargin, WideScreenBoxLimit);
}
constexpr double ShrinkStep = 0.9;

QString screenText(const QString& prompt) {
    QString text = prompt;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString askText(QWidget* parent, const QString& prompt, const QString& title,
                const QString& defaultText, QLineEdit::EchoMode echo) {
    QInputDialog dialog(parent);
    dialog.setTextEchoMode(echo);
    dialog.setWindowTitle(title);
    dialog.setLabelText(screenText(prompt));
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

} // namespace

QWidget* QtDialogs::parentWindow() {
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : nullptr;
}

Answer QtDialogs::message(const QString& prompt, const QString& title, Buttons buttons, Icon icon,
                          Answer defaultAnswer) {
    checkNoLockHeld();
    QMessageBox box(qtIcon(icon), title, screenText(prompt), QMessageBox::NoButton, parentWindow());
    if (buttons == Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }
    QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    QPushButton* cancel = buttons == Buttons::YesNoCancel
                              ? box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole)
                              : nullptr;
    switch (defaultAnswer) {
    case Answer::Yes:
        box.setDefaultButton(yes);
        break;
    case Answer::Cancel:
        box.setDefaultButton(cancel ? cancel : no);
        break;
    case Answer::Ok:
    case Answer::No:
        box.setDefaultButton(no);
        break;
    }
    // Escape and the window frame never choose more than the safest button does.
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    return cancel && box.clickedButton() != no ? Answer::Cancel : Answer::No;
}

Answer QtDialogs::readingMessage(const QString& prompt, const QString& title, Icon icon) {
    checkNoLockHeld();
    QMessageBox box(qtIcon(icon), title, screenText(prompt), QMessageBox::Ok, parentWindow());
    if (readingLook_)
        applyReadingLook(box, readingLook_());
    box.exec();
    return Answer::Ok;
}

void QtDialogs::applyReadingLook(QMessageBox& box, const ReadingBoxLook& look) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    const QScreen* screen = box.screen();
    const QSize area =
        screen ? screen->availableGeometry().size() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize room(boxWidthLimit(area.width()) - BoxChromeWidth, area.height() - BoxChromeHeight);
    const int width = std::min(look.minimumTextWidth, room.width());
    QFont font = look.font;
    // The largest size at which the wrapped text still fits the screen.
    while (font.pointSizeF() > SmallestReadingPoints &&
           QFontMetrics(font)
                   .boundingRect(QRect(0, 0, std::max(width, 1), QWIDGETSIZE_MAX), Qt::TextWordWrap,
                                 label->text())
                   .height() > room.height())
        font.setPointSizeF(std::max(SmallestReadingPoints, font.pointSizeF() * ShrinkStep));
    label->setFont(font);
    label->setWordWrap(true);
    label->setMinimumWidth(width);
    if (look.colours) {
        QPalette palette = box.palette();
        palette.setColor(QPalette::Window, QColor(look.colours->background));
        palette.setColor(QPalette::WindowText, QColor(look.colours->text));
        box.setPalette(palette);
        box.setAutoFillBackground(true);
    }
}

Answer QtDialogs::question(const QString& prompt, const QString& title, const QString& yesText,
                           const QString& noText, Icon icon) {
    checkNoLockHeld();
    QMessageBox box(qtIcon(icon), title, screenText(prompt), QMessageBox::NoButton, parentWindow());
    QPushButton* yes = box.addButton(yesText, QMessageBox::YesRole);
    QPushButton* no = box.addButton(noText, QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& defaultText) {
    checkNoLockHeld();
    return askText(parentWindow(), prompt, title, defaultText, QLineEdit::Normal);
}

QString QtDialogs::passwordInput(const QString& prompt, const QString& title) {
    checkNoLockHeld();
    return askText(parentWindow(), prompt, title, QString(), QLineEdit::Password);
}

} // namespace tivoral
