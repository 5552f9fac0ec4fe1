// Several copies of the program on one folder, as real processes of their own.
#include "platform/folderlock.h"
#include "platform/textfile.h"
#include "sharedfolderplan.h"
#include "store/users.h"
#include "support/scripteddialogs.h"
#include "support/workfolder.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <memory>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

const QString UsersFile = QString::fromLatin1(Users::FileName);
const QString ScoresFile = QString::fromLatin1(HighScoreList::FileName);
const QString LockFile = QString::fromLatin1(FolderLock::FileName);
const QStringList Copies{u"A"_s, u"B"_s};
constexpr int StartTimeoutMs = 30'000;
constexpr int RunTimeoutMs = 300'000;

std::unique_ptr<QProcess> startWorker(const QStringList& arguments, const QByteArray& greeting) {
    auto worker = std::make_unique<QProcess>();
    worker->start(QStringLiteral(SHARED_FOLDER_WORKER), arguments);
    if (!worker->waitForStarted(StartTimeoutMs) || !worker->waitForReadyRead(StartTimeoutMs) ||
        worker->readLine().trimmed() != greeting)
        return nullptr;
    return worker;
}

int indexOfName(const QStringList& names, const QString& copy, int round) {
    return int(names.indexOf(sharedfolder::userName(copy, round)));
}

} // namespace

class SharedFolderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twoCopiesLoseNothing();
    void staleLockIsTakenOver_data();
    void staleLockIsTakenOver();
    void busyLockLeavesTheFilesAsTheyWere();
};

void SharedFolderTest::twoCopiesLoseNothing() {
    WorkFolder folder;
    folder.write(UsersFile, "Anna\r\n");
    std::vector<std::unique_ptr<QProcess>> workers;
    for (const QString& copy : Copies) {
        workers.push_back(startWorker({u"add"_s, folder.dir().absolutePath(), copy}, "ready"));
        QVERIFY(workers.back());
    }
    for (const auto& worker : workers) {
        worker->write("go\n");
        QVERIFY(worker->waitForBytesWritten(StartTimeoutMs));
    }
    for (const auto& worker : workers) {
        QVERIFY(worker->waitForFinished(RunTimeoutMs));
        QCOMPARE(worker->exitStatus(), QProcess::NormalExit);
        QCOMPARE(worker->exitCode(), 0);
    }

    const QStringList names = textfile::readLines(folder.path(UsersFile)).lines;
    QStringList expectedNames{u"Anna"_s};
    QStringList allResults;
    for (const QString& copy : Copies) {
        for (int round = 0; round < sharedfolder::Rounds; ++round) {
            expectedNames.append(sharedfolder::userName(copy, round));
            allResults.append(sharedfolder::result(copy, round));
        }
    }
    QStringList sortedNames = names;
    sortedNames.sort();
    expectedNames.sort();
    QCOMPARE(sortedNames, expectedNames);
    // Each copy adds its names in order; had one finished before the other began, the test
    // would prove nothing about the lock.
    QVERIFY2(indexOfName(names, u"B"_s, 0) < indexOfName(names, u"A"_s, sharedfolder::Rounds - 1) &&
                 indexOfName(names, u"A"_s, 0) <
                     indexOfName(names, u"B"_s, sharedfolder::Rounds - 1),
             "the two copies did not run at the same time");

    HighScoreList::sort(allResults);
    QCOMPARE(textfile::readLines(folder.path(ScoresFile)).lines,
             HighScoreList::fileLines(allResults));
    QVERIFY(!folder.exists(LockFile));
}

void SharedFolderTest::staleLockIsTakenOver_data() {
    QTest::addColumn<bool>("killedHere");
    QTest::newRow("copy killed on this computer") << true;
    QTest::newRow("copy on another computer, older than the stale time") << false;
}

// The lock is taken over at once, not after waiting for it.
void SharedFolderTest::staleLockIsTakenOver() {
    QFETCH(bool, killedHere);
    WorkFolder folder;
    folder.write(UsersFile, "Anna\r\n");
    if (killedHere) {
        const auto holder = startWorker({u"hold"_s, folder.dir().absolutePath()}, "held");
        QVERIFY(holder);
        holder->kill();
        QVERIFY(holder->waitForFinished(StartTimeoutMs));
    } else {
        folder.write(LockFile, "4242\ntivoral\nanderer-rechner\n");
        QFile lock(folder.path(LockFile));
        QVERIFY(lock.open(QIODevice::ReadWrite));
        const auto stale = std::chrono::duration_cast<std::chrono::milliseconds>(
            FolderLock::StaleAfter + std::chrono::minutes(1));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addMSecs(-stale.count()),
                                 QFileDevice::FileModificationTime));
    }
    QVERIFY(folder.exists(LockFile));

    Users users(folder.dir());
    QVERIFY(users.load());
    ScriptedDialogs dialogs;
    dialogs.queueInput(u"Carla"_s);
    QElapsedTimer clock;
    clock.start();
    users.addUser(dialogs);
    QCOMPARE_LT(clock.elapsed(), FolderLock::DefaultWait.count());
    QCOMPARE(dialogs.prompts(), QStringList());
    QCOMPARE(folder.read(UsersFile), QByteArray("Anna\r\nCarla\r\n"));
    QVERIFY(!folder.exists(LockFile));
}

void SharedFolderTest::busyLockLeavesTheFilesAsTheyWere() {
    WorkFolder folder;
    const QByteArray names = "Anna\r\nBen\r\n";
    const QStringList scores{HighScoreList::makeEntry(30, 60, u"Ben"_s)};
    folder.write(UsersFile, names);
    QVERIFY(textfile::writeLinesAtomic(folder.path(ScoresFile), HighScoreList::fileLines(scores)));
    const QByteArray scoreBytes = folder.read(ScoresFile);
    const auto holder = startWorker({u"hold"_s, folder.dir().absolutePath()}, "held");
    QVERIFY(holder);

    Users users(folder.dir());
    QVERIFY(users.load());
    ScriptedDialogs dialogs;
    dialogs.queueInput(u"Carla"_s);
    QElapsedTimer clock;
    clock.start();
    users.addUser(dialogs);
    QCOMPARE_GE(clock.elapsed(), FolderLock::DefaultWait.count());
    QCOMPARE(dialogs.prompts(), QStringList{FolderLock::busyMessage()});
    QCOMPARE(dialogs.last().title, u"Benutzereingabe"_s);
    QCOMPARE(users.names(), (QStringList{u"Anna"_s, u"Ben"_s}));
    QCOMPARE(folder.read(UsersFile), names);

    HighScoreList list(folder.dir());
    QCOMPARE(list.add(HighScoreList::makeEntry(24, 57, u"Anna"_s)), HighScoreList::AddResult::Busy);
    // What the window shows is what the file holds.
    QCOMPARE(list.entries(), scores);
    QCOMPARE(folder.read(ScoresFile), scoreBytes);

    holder->kill();
    holder->waitForFinished(StartTimeoutMs);
}

QTEST_GUILESS_MAIN(SharedFolderTest)
#include "test_sharedfolder.moc"
