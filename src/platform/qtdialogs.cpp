#include "platform/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace tivoral {

namespace {

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

Answer QtDialogs::question(const QString& prompt, const QString& title, const QString& yesText,
                           const QString& noText, Icon icon) {
    QMessageBox box(qtIcon(icon), title, screenText(prompt), QMessageBox::NoButton, parentWindow());
    QPushButton* yes = box.addButton(yesText, QMessageBox::YesRole);
    QPushButton* no = box.addButton(noText, QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& defaultText) {
    return askText(parentWindow(), prompt, title, defaultText, QLineEdit::Normal);
}

QString QtDialogs::passwordInput(const QString& prompt, const QString& title) {
    return askText(parentWindow(), prompt, title, QString(), QLineEdit::Password);
}

} // namespace tivoral
