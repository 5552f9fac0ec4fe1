#pragma once

#include <QDir>
#include <QEvent>
#include <QHash>
#include <QLockFile>

#include <chrono>
#include <functional>

namespace tivoral {

// The working folder's lock, held while a shared file is re-read, changed and written back, so
// that several copies of the program on one class folder never drop each other's changes.
// Released when the object goes. No message or question may be shown while it is held: another
// computer would wait for as long as the box stays open.
class FolderLock {
public:
    enum class State {
        Held,         // this copy holds the lock
        Unavailable,  // no lock file can be made here (read-only folder): go on as on one computer
        Busy,         // another copy held it for the whole wait
        NotALockFile, // a folder, link, FIFO or device stands at the lock file's name
        StaleKept,    // a crashed copy's lock file that cannot be deleted (held open on a share)
        OutOfDate,    // held, but this computer cannot see the latest state of a file to change
    };

    static constexpr const char* FileName = "TIVORAL.LCK";
    // Long enough for any other copy's read-change-write, short enough for a child to wait.
    static constexpr std::chrono::milliseconds DefaultWait{5000};
    // A copy that crashed on another computer leaves its lock behind; after this long it is
    // taken over (one on this computer is recognised at once by its process id).
    static constexpr std::chrono::milliseconds StaleAfter{15000};

    // One try at the lock file; the real one is QLockFile::tryLock, tests put in others.
    using Attempt = std::function<QLockFile::LockError(QLockFile& file)>;

    explicit FolderLock(const QDir& folder, std::chrono::milliseconds wait = DefaultWait,
                        const Attempt& attempt = {});
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

    State state() const { return state_; }
    // True when the caller may go on with its change (held, or no lock possible here).
    bool mayWrite() const { return state_ == State::Held || state_ == State::Unavailable; }

    // Call under the lock before reading a file that is to be changed: makes sure this computer
    // reads what the last copy saved, not what a network client's cache remembers. False (and
    // no more writing) when that cannot be made sure. The file's new state is noted for the
    // other computers when the lock is released.
    bool readsCurrent(const QString& path);

    // Why the change was not made, in German, naming the file when it is the lock file's fault.
    QString refusal() const;
    static QString busyMessage();

    // True while any folder lock of this process is held: message boxes check it.
    static bool heldInThisProcess();

    // Sent to the application object when a wait for another copy begins and when it ends.
    static QEvent::Type waitBeginsEvent();
    static QEvent::Type waitEndsEvent();

private:
    void acquire(std::chrono::milliseconds wait, const Attempt& attempt);
    void removeLeftoverRemovalLocks() const;
    void noteChangedFiles();

    QDir folder_;
    QLockFile file_;
    State state_ = State::Unavailable;
    // The files read under this lock and what they held then.
    QHash<QString, QByteArray> readFingerprints_;
};

} // namespace tivoral
