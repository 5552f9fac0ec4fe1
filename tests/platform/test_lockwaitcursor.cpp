#include "platform/folderlock.h"
#include "platform/lockwaitcursor.h"
#include "support/workfolder.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLockFile>
#include <QTest>
#include <QTimer>

using namespace tivoral;

class LockWaitCursorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hourglassOnlyWhileWaiting();
};

void LockWaitCursorTest::hourglassOnlyWhileWaiting() {
    const testing::WorkFolder folder;
    QLockFile otherCopy(folder.path(QString::fromLatin1(FolderLock::FileName)));
    QVERIFY(otherCopy.lock());
    const LockWaitCursor waitCursor;
    Qt::CursorShape shapeWhileWaiting = Qt::ArrowCursor;
    QTimer::singleShot(0, [&shapeWhileWaiting] {
        if (const QCursor* cursor = QGuiApplication::overrideCursor())
            shapeWhileWaiting = cursor->shape();
    });

    // Long enough for the lock to try more than once, short enough for a test.
    constexpr std::chrono::milliseconds ShortWait{300};
    const FolderLock lock(folder.dir(), ShortWait);

    QCOMPARE(lock.state(), FolderLock::State::Busy);
    QCOMPARE(shapeWhileWaiting, Qt::WaitCursor);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(LockWaitCursorTest)
#include "test_lockwaitcursor.moc"
