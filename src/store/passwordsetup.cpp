#include "store/passwordsetup.h"

#include "platform/dialogs.h"
#include "platform/folderlock.h"
#include "platform/offthread.h"
#include "store/teacherlock.h"

namespace tivoral {

namespace {
const QString PasswordSetupTitle = QStringLiteral("Lehrer-Passwort");
} // namespace

PasswordSetup::PasswordSetup(const QDir& folder, Dialogs& dialogs, TeacherLock& lock)
    : folder_(folder), file_(folder), dialogs_(dialogs), lock_(lock) {}

bool PasswordSetup::edit() {
    const PasswordFile::State state = file_.read().state;
    if (state == PasswordFile::State::None)
        return setNewPassword();

    const QString situation = state == PasswordFile::State::Damaged
                                  ? QStringLiteral("Der gespeicherte Eintrag für das "
                                                   "Lehrer-Passwort ist beschädigt.\r")
                                  : QStringLiteral("Ein Lehrer-Passwort ist festgelegt.\r");
    const Answer change = dialogs_.message(
        situation + QStringLiteral("Möchten Sie ein neues Passwort festlegen?\r"
                                   "(Bei „Nein“ können Sie das Passwort entfernen.)\r"),
        PasswordSetupTitle, Buttons::YesNo, Icon::Question, Answer::No);
    if (change == Answer::Yes)
        return setNewPassword();
    const Answer remove = dialogs_.message(
        QStringLiteral("Das Lehrer-Passwort wirklich entfernen?\r"
                       "Dann schützt wieder die Sperre ohne Passwort die Einstellungen und "
                       "den Satzeditor.\r"),
        PasswordSetupTitle, Buttons::YesNo, Icon::Question, Answer::No);
    return remove == Answer::Yes && removePassword();
}

QString PasswordSetup::stateText() const {
    switch (file_.read().state) {
    case PasswordFile::State::Set:
        return QStringLiteral("Ein Lehrer-Passwort schützt die Einstellungen und den Satzeditor.");
    case PasswordFile::State::Damaged:
        return QStringLiteral("Der Eintrag für das Lehrer-Passwort ist beschädigt.");
    case PasswordFile::State::None:
        break;
    }
    return QStringLiteral("Kein Lehrer-Passwort festgelegt.");
}

bool PasswordSetup::setNewPassword() {
    const QString first = dialogs_.passwordInput(
        QStringLiteral("Neues Lehrer-Passwort eingeben (mindestens %1 Zeichen):").arg(MinLength),
        PasswordSetupTitle);
    if (first.isEmpty())
        return false;
    if (first.size() < MinLength) {
        report(QStringLiteral("Das Passwort ist zu kurz.\r"
                              "Es muss mindestens %1 Zeichen lang sein.\r")
                   .arg(MinLength),
               true);
        return false;
    }
    const QString second = dialogs_.passwordInput(
        QStringLiteral("Das neue Passwort noch einmal eingeben:"), PasswordSetupTitle);
    if (second.isEmpty())
        return false;
    if (second != first) {
        report(QStringLiteral("Die beiden Eingaben sind verschieden.\r"
                              "Das Passwort wurde nicht geändert.\r"),
               true);
        return false;
    }

    const QByteArray hash = runOffWindowThread([&first] { return passwordhash::hash(first); });
    const bool written = changeFile([&](QString* error) {
        if (hash.isEmpty() || !file_.write(hash, error)) {
            *error =
                QStringLiteral("Das Lehrer-Passwort konnte nicht gespeichert werden.\r") + *error;
            return false;
        }
        return true;
    });
    if (!written)
        return false;
    lock_.forgetWrongAnswers();
    report(QStringLiteral("Das Lehrer-Passwort ist gespeichert.\r"
                          "Die Einstellungen und der Satzeditor öffnen sich jetzt nur noch "
                          "mit diesem Passwort.\r"),
           false);
    return true;
}

bool PasswordSetup::removePassword() {
    const bool removed = changeFile([this](QString* error) {
        if (file_.remove())
            return true;
        *error = QStringLiteral("Das Lehrer-Passwort konnte nicht entfernt werden.\r"
                                "Die Datei %1 lässt sich im Arbeitsordner nicht löschen.\r")
                     .arg(QString::fromLatin1(PasswordFile::FileName));
        return false;
    });
    if (!removed)
        return false;
    lock_.forgetWrongAnswers();
    report(QStringLiteral("Das Lehrer-Passwort ist entfernt.\r"), false);
    return true;
}

bool PasswordSetup::changeFile(const std::function<bool(QString* error)>& change) {
    QString error;
    {
        const FolderLock folderLock(folder_);
        if (!folderLock.mayWrite())
            error = folderLock.refusal();
        else if (change(&error))
            return true;
    }
    // Only now: another computer would wait on the lock while the box is open.
    report(error, true);
    return false;
}

void PasswordSetup::report(const QString& prompt, bool failed) {
    dialogs_.message(prompt, PasswordSetupTitle, Buttons::Ok,
                     failed ? Icon::Warning : Icon::Information);
}

} // namespace tivoral
