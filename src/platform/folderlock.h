#pragma once

#include <QDir>
#include <QEvent>
#include <QLockFile>

#include <chrono>

namespace tivoral {

// The working folder's lock, held while a shared file is re-read, changed and written back, so
// that several copies of the program on one class folder never drop each other's changes.
// Released when the object goes.
class FolderLock {
public:
    enum class State {
        Held,        // this copy holds the lock
        Unavailable, // no lock file can be made here (read-only folder): go on as on one computer
        Busy,        // another copy held it for the whole wait
    };

    static constexpr const char* FileName = "TIVORAL.LCK";
    // Long enough for any other copy's read-change-write, short enough for a child to wait.
    static constexpr std::chrono::milliseconds DefaultWait{5000};
    // A copy that crashed on another computer leaves its lock behind; after this long it is
    // taken over (one on this computer is recognised at once by its process id).
    static constexpr std::chrono::milliseconds StaleAfter{15000};

    explicit FolderLock(const QDir& folder, std::chrono::milliseconds wait = DefaultWait);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return state_; }
    // True when the caller may go on with its change (held, or no lock possible here).
    bool mayWrite() const { return state_ != State::Busy; }

    static QString busyMessage();

    // Sent to the application object when a wait for another copy begins and when it ends.
    static QEvent::Type waitBeginsEvent();
    static QEvent::Type waitEndsEvent();

private:
    QLockFile file_;
    State state_ = State::Unavailable;
};

} // namespace tivoral
