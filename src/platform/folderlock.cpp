#include "platform/folderlock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

namespace tivoral {

namespace {
// Short tries, so that the window repaints between them while another copy holds the lock.
constexpr std::chrono::milliseconds TryStep{50};

// Every child of a class may log in under an account of its own: a lock left behind by one of
// them must be removable by the others, which Qt only does when it can open the file to write.
constexpr QFile::Permissions SharedLockPermissions = QFile::ReadOwner | QFile::WriteOwner |
                                                     QFile::ReadGroup | QFile::WriteGroup |
                                                     QFile::ReadOther | QFile::WriteOther;
// Tells the application while this copy waits for another one, so that the windows can show
// the program is busy, not stuck; nothing happens in a program without them.
class WaitNotice {
public:
    WaitNotice() = default;
    WaitNotice(const WaitNotice&) = delete;
    WaitNotice& operator=(const WaitNotice&) = delete;
    ~WaitNotice() {
        if (given_)
            send(FolderLock::waitEndsEvent());
    }
    void give() {
        if (given_ || !QCoreApplication::instance())
            return;
        send(FolderLock::waitBeginsEvent());
        given_ = true;
    }

private:
    static void send(QEvent::Type type) {
        QEvent event(type);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &event);
    }

    bool given_ = false;
};

} // namespace

FolderLock::FolderLock(const QDir& folder, std::chrono::milliseconds wait)
    : file_(folder.filePath(QString::fromLatin1(FileName))) {
    file_.setStaleLockTime(StaleAfter);
    const QDeadlineTimer deadline(wait);
    WaitNotice notice;
    for (;;) {
        if (file_.tryLock(TryStep)) {
            state_ = State::Held;
            QFile::setPermissions(file_.fileName(), SharedLockPermissions);
            return;
        }
        // A lock file left in a folder that has since become read-only can never be removed;
        // the files there may still be writable, as on one computer.
        if (file_.error() != QLockFile::LockFailedError ||
            !QFileInfo(folder.absolutePath()).isWritable()) {
            state_ = State::Unavailable;
            return;
        }
        if (deadline.hasExpired()) {
            state_ = State::Busy;
            return;
        }
        notice.give();
        // Paint only: a click handled now would start a second change inside this one.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

QEvent::Type FolderLock::waitBeginsEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QEvent::Type FolderLock::waitEndsEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QString FolderLock::busyMessage() {
    return QStringLiteral("Die Datei wird gerade auf einem anderen Computer benutzt.\r"
                          "Die Änderung wurde nicht gespeichert. Bitte gleich noch einmal "
                          "versuchen.\r");
}

} // namespace tivoral
