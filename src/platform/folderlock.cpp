#include "platform/folderlock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

namespace tivoral {

namespace {
// Short tries, so that the window repaints between them while another copy holds the lock.
constexpr std::chrono::milliseconds TryStep{50};
} // namespace

FolderLock::FolderLock(const QDir& folder, std::chrono::milliseconds wait)
    : file_(folder.filePath(QString::fromLatin1(FileName))) {
    file_.setStaleLockTime(StaleAfter);
    const QDeadlineTimer deadline(wait);
    for (;;) {
        if (file_.tryLock(TryStep)) {
            state_ = State::Held;
            return;
        }
        if (file_.error() != QLockFile::LockFailedError) {
            state_ = State::Unavailable;
            return;
        }
        if (deadline.hasExpired()) {
            state_ = State::Busy;
            return;
        }
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
