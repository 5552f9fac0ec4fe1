#include "store/teacherlock.h"

#include "platform/dialogs.h"
#include "platform/offthread.h"

#include <QDir>

#include <algorithm>
#include <utility>

namespace tivoral {

namespace {

const QString LockTitle = QStringLiteral("Tivoral");
const QString Prompt = QStringLiteral("Passwort eingeben:");

QString secondsText(std::chrono::milliseconds time) {
    // Rounded up: "0 Sekunden" while a pause still runs would be wrong.
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(time).count();
    return seconds == 1 ? QStringLiteral("1 Sekunde")
                        : QString::number(seconds) + QStringLiteral(" Sekunden");
}

// The count label's number without its leading blank. Before any load the label reads "0",
// and nothing of it is left: an empty answer opens.
QString countAnswer(int loadedCount) {
    return loadedCount > 0 ? QString::number(loadedCount) : QString();
}

} // namespace

TeacherLock::TeacherLock(const QDir& folder, Clock clock)
    : file_(folder), clock_(std::move(clock)) {}

TeacherLock::Clock TeacherLock::steadyClock() {
    return [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    };
}

QString TeacherLock::damagedMessage(const QString& path) {
    return QStringLiteral("Der Eintrag für das Lehrer-Passwort ist beschädigt oder nicht lesbar.\r"
                          "Die Einstellungen und der Satzeditor bleiben deshalb verschlossen.\r\r"
                          "Zum Zurücksetzen die Datei %1 im Arbeitsordner löschen:\r%2\r")
        .arg(QString::fromLatin1(PasswordFile::FileName), QDir::toNativeSeparators(path));
}

bool TeacherLock::ask(Dialogs& dialogs, int loadedCount) {
    const PasswordFile::Entry entry = file_.read();
    switch (entry.state) {
    case PasswordFile::State::None:
        return dialogs.input(Prompt, LockTitle, QString()) == countAnswer(loadedCount);
    case PasswordFile::State::Damaged:
        dialogs.message(damagedMessage(file_.path()), LockTitle, Buttons::Ok, Icon::Critical);
        return false;
    case PasswordFile::State::Set:
        break;
    }
    return askForPassword(dialogs, entry.hash);
}

bool TeacherLock::askForPassword(Dialogs& dialogs, const QByteArray& hash) {
    if (const std::chrono::milliseconds left = pauseLeft(); left.count() > 0) {
        dialogs.message(QStringLiteral("Bitte noch %1 warten,\r"
                                       "dann kann das Passwort wieder eingegeben werden.\r")
                            .arg(secondsText(left)),
                        LockTitle, Buttons::Ok, Icon::Information);
        return false;
    }
    const QString answer = dialogs.passwordInput(Prompt, LockTitle);
    // Cancelling is no guess.
    if (answer.isEmpty())
        return false;
    if (runOffWindowThread([&] { return passwordhash::verify(hash, answer); })) {
        forgetWrongAnswers();
        return true;
    }
    countWrongAnswer(dialogs);
    return false;
}

void TeacherLock::countWrongAnswer(Dialogs& dialogs) {
    ++wrongInRow_;
    QString prompt = QStringLiteral("Das Passwort ist falsch.\r");
    const std::chrono::milliseconds pause = pauseAfter(wrongInRow_);
    if (pause.count() > 0) {
        nextTryAt_ = clock_() + pause;
        prompt +=
            QStringLiteral("Der nächste Versuch ist erst in %1 möglich.\r").arg(secondsText(pause));
    }
    dialogs.message(prompt, LockTitle, Buttons::Ok, Icon::Warning);
}

std::chrono::milliseconds TeacherLock::pauseAfter(int wrongAnswers) const {
    if (wrongAnswers < FreeTries)
        return std::chrono::milliseconds{0};
    // Doubles with every further wrong answer; the shift stops growing long before it overflows.
    const int doublings = std::min(wrongAnswers - FreeTries, 16);
    return std::min<std::chrono::milliseconds>(FirstPause * (1 << doublings), LongestPause);
}

std::chrono::milliseconds TeacherLock::pauseLeft() const {
    return std::max(nextTryAt_ - clock_(), std::chrono::milliseconds{0});
}

void TeacherLock::forgetWrongAnswers() {
    wrongInRow_ = 0;
    nextTryAt_ = std::chrono::milliseconds{0};
}

} // namespace tivoral
