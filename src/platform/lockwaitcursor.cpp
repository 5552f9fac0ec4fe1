#include "platform/lockwaitcursor.h"

#include "platform/folderlock.h"

#include <QCursor>
#include <QGuiApplication>

namespace tivoral {

LockWaitCursor::LockWaitCursor(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool LockWaitCursor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == FolderLock::waitBeginsEvent()) {
        if (waits_++ == 0)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        return true;
    }
    if (event->type() == FolderLock::waitEndsEvent()) {
        if (waits_ > 0 && --waits_ == 0)
            QGuiApplication::restoreOverrideCursor();
        return true;
    }
    // A timer whose event is held keeps running and fires again after its interval; the
    // application's filter sees the window thread's objects only, so the voice's thread goes on.
    if (waits_ > 0 && event->type() == QEvent::Timer)
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace tivoral
