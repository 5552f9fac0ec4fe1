// The folder lock's own decisions: lost races, a crashed lock that stays, a view older than the
// last save.
#include "platform/folderlock.h"
#include "platform/saveledger.h"
#include "support/workfolder.h"

#include <QDateTime>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {
constexpr std::chrono::milliseconds ShortWait{300};
const QString UsersFile = u"TIVORAL.INF"_s;
constexpr qint64 MinuteMs = 60'000;
} // namespace

class FolderLockTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void failedTryIsNeverAPassToWrite_data();
    void failedTryIsNeverAPassToWrite();
    void lostRaceIsTriedAgain();
    void crashedLockThatStaysIsNamed();
    void viewOlderThanTheLastSaveIsRefused_data();
    void viewOlderThanTheLastSaveIsRefused();
    void changeIsNotedForTheOtherComputers();
};

void FolderLockTest::failedTryIsNeverAPassToWrite_data() {
    QTest::addColumn<QLockFile::LockError>("error");
    QTest::newRow("held by another copy") << QLockFile::LockFailedError;
    QTest::newRow("lost race on sshfs (EPERM)") << QLockFile::UnknownError;
    QTest::newRow("permission denied in a writable folder") << QLockFile::PermissionError;
}

void FolderLockTest::failedTryIsNeverAPassToWrite() {
    QFETCH(QLockFile::LockError, error);
    const WorkFolder folder;
    int tries = 0;
    const FolderLock lock(folder.dir(), ShortWait, [&tries, error](QLockFile&) {
        ++tries;
        return error;
    });
    QCOMPARE(lock.state(), FolderLock::State::Busy);
    QVERIFY(!lock.mayWrite());
    QVERIFY(!FolderLock::heldInThisProcess());
    QCOMPARE(lock.refusal(), FolderLock::busyMessage());
    QCOMPARE_GT(tries, 1);
}

void FolderLockTest::lostRaceIsTriedAgain() {
    const WorkFolder folder;
    int tries = 0;
    {
        const FolderLock lock(folder.dir(), ShortWait, [&tries](QLockFile& file) {
            if (++tries < 3)
                return QLockFile::UnknownError;
            file.tryLock();
            return file.error();
        });
        QCOMPARE(lock.state(), FolderLock::State::Held);
        QVERIFY(FolderLock::heldInThisProcess());
    }
    QVERIFY(!FolderLock::heldInThisProcess());
    QVERIFY(!folder.exists(QString::fromLatin1(FolderLock::FileName)));
}

// As on SMB, where a lock file that another computer holds open cannot be deleted: Qt's removal
// fails and leaves its own removal locks behind.
void FolderLockTest::crashedLockThatStaysIsNamed() {
    const WorkFolder folder;
    const QString lockName = QString::fromLatin1(FolderLock::FileName);
    const QStringList leftovers{lockName + u".rmlock"_s, lockName + u".rmlock.rmlock"_s};
    for (const QString& name : QStringList{lockName} + leftovers) {
        folder.write(name, "4242\ntivoral\nanderer-rechner\n");
        QFile file(folder.path(name));
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(QDateTime::currentDateTime().addMSecs(-2 * MinuteMs),
                                 QFileDevice::FileModificationTime));
    }
    const FolderLock lock(folder.dir(), ShortWait,
                          [](QLockFile&) { return QLockFile::LockFailedError; });
    QCOMPARE(lock.state(), FolderLock::State::StaleKept);
    QVERIFY(!lock.mayWrite());
    QVERIFY(lock.refusal().contains(QDir::toNativeSeparators(folder.path(lockName))));
    QVERIFY(lock.refusal().contains(u"TIVORAL.LCK im Arbeitsordner löschen"_s));
    for (const QString& name : leftovers)
        QVERIFY2(!folder.exists(name), qPrintable(name));
}

void FolderLockTest::viewOlderThanTheLastSaveIsRefused_data() {
    QTest::addColumn<QByteArray>("lastSaved");
    QTest::addColumn<qint64>("savedAgoMs");
    QTest::addColumn<qint64>("viewNewerByMs"); // the file's time as seen here, after the save's
    QTest::addColumn<bool>("current");
    const QByteArray other("Anna\r\nBen\r\n");
    QTest::newRow("what was saved") << QByteArray("Anna\r\n") << qint64(0) << qint64(0) << true;
    QTest::newRow("saved just now, an older copy seen here")
        << other << qint64(0) << qint64(0) << false;
    QTest::newRow("changed outside the program since")
        << other << qint64(0) << qint64(1000) << true;
    // No client's cache lives that long.
    QTest::newRow("saved long ago") << other << 2 * MinuteMs << qint64(0) << true;
}

void FolderLockTest::viewOlderThanTheLastSaveIsRefused() {
    QFETCH(QByteArray, lastSaved);
    QFETCH(qint64, savedAgoMs);
    QFETCH(qint64, viewNewerByMs);
    QFETCH(bool, current);
    const WorkFolder folder;
    const QString path = folder.path(UsersFile);
    folder.write(UsersFile, lastSaved);
    const QByteArray fingerprint = SaveLedger::fingerprint(path);
    folder.write(UsersFile, "Anna\r\n");
    const SaveLedger::Entry saved{fingerprint, QDateTime::currentMSecsSinceEpoch() - savedAgoMs,
                                  SaveLedger::modifiedAtMs(path) - viewNewerByMs};
    QVERIFY(SaveLedger(folder.dir()).write({{UsersFile, saved}}));

    FolderLock lock(folder.dir());
    QCOMPARE(lock.readsCurrent(path), current);
    QCOMPARE(lock.mayWrite(), current);
    if (!current)
        QVERIFY(lock.refusal().contains(u"„Ordner prüfen“"_s));
}

void FolderLockTest::changeIsNotedForTheOtherComputers() {
    const WorkFolder folder;
    folder.write(UsersFile, "Anna\r\n");
    {
        FolderLock lock(folder.dir());
        QVERIFY(lock.readsCurrent(folder.path(UsersFile)));
        folder.write(UsersFile, "Anna\r\nBen\r\n");
    }
    const SaveLedger::Entries saved = SaveLedger(folder.dir()).read();
    QCOMPARE(saved.value(UsersFile).fingerprint, SaveLedger::fingerprint(folder.path(UsersFile)));
    QCOMPARE_LT(qAbs(saved.value(UsersFile).savedAtMs - QDateTime::currentMSecsSinceEpoch()),
                MinuteMs);
}

QTEST_GUILESS_MAIN(FolderLockTest)
#include "test_folderlock.moc"
