#pragma once

#include "store/teacherpassword.h"

#include <QDir>
#include <QString>

#include <chrono>
#include <functional>

namespace tivoral {

class Dialogs;

// The lock in front of the sentence editor and the settings window. Without a teacher password
// the sentence count opens it; with one, only the password does, and after three wrong answers
// in a row every further try waits a growing pause.
class TeacherLock {
public:
    // Monotonic time; tests script it.
    using Clock = std::function<std::chrono::milliseconds()>;

    static constexpr int FreeTries = 3;
    static constexpr std::chrono::seconds FirstPause{5};
    static constexpr std::chrono::seconds LongestPause{60};

    explicit TeacherLock(const QDir& folder, Clock clock = steadyClock());

    // Asks for the password; true when the teacher window may open. While no password is set,
    // the number of sentences the exercises practise opens the lock.
    bool ask(Dialogs& dialogs, int loadedCount);
    // The time left before the next try is taken (zero when none is due).
    std::chrono::milliseconds pauseLeft() const;
    // A new or removed password starts with a clean slate.
    void forgetWrongAnswers();

    static Clock steadyClock();
    static QString damagedMessage(const QString& path);

private:
    bool askForPassword(Dialogs& dialogs, const QByteArray& hash);
    void countWrongAnswer(Dialogs& dialogs);
    std::chrono::milliseconds pauseAfter(int wrongAnswers) const;

    PasswordFile file_;
    Clock clock_;
    int wrongInRow_ = 0;
    std::chrono::milliseconds nextTryAt_{0};
};

} // namespace tivoral
