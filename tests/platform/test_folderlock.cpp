// The folder lock's own decisions: lost races, a view older than the last save, the share check.
#include "platform/folderlock.h"
#include "platform/saveledger.h"
#include "platform/sharecheck.h"
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
    void viewOlderThanTheLastSaveIsRefused_data();
    void viewOlderThanTheLastSaveIsRefused();
    void localFolderIsSafeAndLeftClean();
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

void FolderLockTest::viewOlderThanTheLastSaveIsRefused_data() {
    QTest::addColumn<QByteArray>("lastSaved");
    QTest::addColumn<qint64>("savedAgoMs");
    QTest::addColumn<bool>("current");
    QTest::newRow("what was saved") << QByteArray("Anna\r\n") << qint64(0) << true;
    QTest::newRow("saved just now, not seen here")
        << QByteArray("Anna\r\nBen\r\n") << qint64(0) << false;
    // No client's cache lives that long: the file was changed outside the program since.
    QTest::newRow("saved long ago, changed since")
        << QByteArray("Anna\r\nBen\r\n") << 2 * MinuteMs << true;
}

void FolderLockTest::viewOlderThanTheLastSaveIsRefused() {
    QFETCH(QByteArray, lastSaved);
    QFETCH(qint64, savedAgoMs);
    QFETCH(bool, current);
    const WorkFolder folder;
    folder.write(UsersFile, lastSaved);
    const QByteArray fingerprint = SaveLedger::fingerprint(folder.path(UsersFile));
    QVERIFY(
        SaveLedger(folder.dir())
            .write({{UsersFile, {fingerprint, QDateTime::currentMSecsSinceEpoch() - savedAgoMs}}}));
    folder.write(UsersFile, "Anna\r\n");

    FolderLock lock(folder.dir());
    QCOMPARE(lock.readsCurrent(folder.path(UsersFile)), current);
    QCOMPARE(lock.mayWrite(), current);
    if (!current)
        QVERIFY(lock.refusal().contains(u"„Ordner prüfen“"_s));
}

void FolderLockTest::localFolderIsSafeAndLeftClean() {
    const WorkFolder folder;
    const QStringList before = folder.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const ShareCheck::Report report = ShareCheck(folder.dir()).run(ShareCheck::Depth::Full);
    QVERIFY2(report.safe(), qPrintable(report.text()));
    QCOMPARE(report.probes.size(), 5);
    QCOMPARE(folder.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);

    const ShareCheck::Report missing =
        ShareCheck(QDir(folder.path(u"fehlt"_s))).run(ShareCheck::Depth::Quick);
    QVERIFY(!missing.safe());
    QVERIFY(missing.text().contains(u"NICHT sicher"_s));
}

QTEST_GUILESS_MAIN(FolderLockTest)
#include "test_folderlock.moc"
