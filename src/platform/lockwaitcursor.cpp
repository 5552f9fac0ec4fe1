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
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        return true;
    }
    if (event->type() == FolderLock::waitEndsEvent()) {
        QGuiApplication::restoreOverrideCursor();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tivoral
