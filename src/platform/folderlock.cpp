#include "platform/folderlock.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace tivoral {

namespace {
// Short tries, so that the window repaints between them while another copy holds the lock.
constexpr std::chrono::milliseconds TryStep{50};

// Every child of a class may log in under an account of its own: a lock left behind by one of
// them must be removable by the others, which Qt only does when it can open the file to write.
constexpr QFile::Permissions SharedLockPermissions = QFile::ReadOwner | QFile::WriteOwner |
                                                     QFile::ReadGroup | QFile::WriteGroup |
                                                     QFile::ReadOther | QFile::WriteOther;
// The hourglass while another copy holds the lock, so that a waiting child sees the program
// is busy, not stuck; nothing in a program without windows.
class WaitCursor {
public:
    WaitCursor() = default;
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }
    void show() {
        if (shown_ || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return;
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        shown_ = true;
    }

private:
    bool shown_ = false;
};

} // namespace

FolderLock::FolderLock(const QDir& folder, std::chrono::milliseconds wait)
    : file_(folder.filePath(QString::fromLatin1(FileName))) {
    file_.setStaleLockTime(StaleAfter);
    const QDeadlineTimer deadline(wait);
    WaitCursor cursor;
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
        cursor.show();
        // Paint only: a click handled now would start a second change inside this one.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

QString FolderLock::busyMessage() {
    return QStringLiteral("Die Datei wird gerade auf einem anderen Computer benutzt.\r"
                          "Die Änderung wurde nicht gespeichert. Bitte gleich noch einmal "
                          "versuchen.\r");
}

} // namespace tivoral
