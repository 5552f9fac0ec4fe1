// Several copies of the program on one folder, as real processes of their own.
#include "platform/folderlock.h"
#include "platform/textfile.h"
#include "sharedfolderplan.h"
#include "store/practicerecord.h"
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
const QString LockFile = QString::fromLatin1(FolderLock::FileName);
constexpr int TimeoutMs = 300'000;

// A worker that has said its first line, or nothing when it did not.
std::unique_ptr<QProcess> startWorker(const QStringList& arguments, const QByteArray& greeting) {
    auto worker = std::make_unique<QProcess>();
    worker->start(QStringLiteral(SHARED_FOLDER_WORKER), arguments);
    const bool greeted =
        worker->waitForReadyRead(TimeoutMs) && worker->readLine().trimmed() == greeting;
    return greeted ? std::move(worker) : nullptr;
}

// Two workers of the given mode on the folder, started together; true when both reported
// every change saved.
bool runTwoCopies(const QString& mode, const WorkFolder& folder) {
    std::vector<std::unique_ptr<QProcess>> workers;
    for (const QString& copy : {u"A"_s, u"B"_s}) {
        workers.push_back(startWorker({mode, folder.dir().absolutePath(), copy}, "ready"));
        if (!workers.back())
            return false;
    }
    // Both start on one signal and go on together after their first change.
    for (const QByteArray& signal : {QByteArray("go\n"), QByteArray("on\n")}) {
        for (const auto& worker : workers) {
            worker->write(signal);
            if (!worker->waitForBytesWritten(TimeoutMs))
                return false;
        }
        for (const auto& worker : workers) {
            if (signal == "go\n" &&
                !(worker->waitForReadyRead(TimeoutMs) && worker->readLine().trimmed() == "begun"))
                return false;
        }
    }
    bool allSaved = true;
    for (const auto& worker : workers)
        allSaved = worker->waitForFinished(TimeoutMs) && worker->exitCode() == 0 && allSaved;
    return allSaved;
}

// Adds "Carla"; how long it took.
qint64 addCarla(Users& users, ScriptedDialogs& dialogs) {
    users.load();
    dialogs.queueInput(u"Carla"_s);
    QElapsedTimer clock;
    clock.start();
    users.addUser(dialogs);
    return clock.elapsed();
}

} // namespace

class SharedFolderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twoCopiesLoseNothing();
    void twoCopiesAppendWholeRecordLines();
    void staleLockIsTakenOver_data();
    void staleLockIsTakenOver();
    void busyLockLeavesTheFilesAsTheyWere();
};

void SharedFolderTest::twoCopiesLoseNothing() {
    WorkFolder folder;
    folder.write(UsersFile, "Anna\r\n");
    QStringList expectedNames{u"Anna"_s};
    QStringList results;
    for (const QString& copy : {u"A"_s, u"B"_s}) {
        for (int round = 0; round < sharedfolder::Rounds; ++round) {
            expectedNames.append(sharedfolder::userName(copy, round));
            results.append(sharedfolder::result(copy, round));
        }
    }
    QVERIFY(runTwoCopies(u"add"_s, folder));

    const QStringList names = textfile::readLines(folder.path(UsersFile)).lines;
    QStringList sortedNames = names;
    sortedNames.sort();
    expectedNames.sort();
    QCOMPARE(sortedNames, expectedNames);
    HighScoreList::sort(results);
    QCOMPARE(textfile::readLines(folder.path(QString::fromLatin1(HighScoreList::FileName))).lines,
             HighScoreList::fileLines(results));
    QVERIFY(!folder.exists(LockFile));
    // Had one copy finished before the other began, nothing would have met the lock.
    QVERIFY2(names.indexOf(u"B-0"_s) < names.indexOf(u"A-199"_s) &&
                 names.indexOf(u"A-0"_s) < names.indexOf(u"B-199"_s),
             "The two copies did not run at the same time.");
}

void SharedFolderTest::twoCopiesAppendWholeRecordLines() {
    WorkFolder folder;
    QVERIFY(runTwoCopies(u"record"_s, folder));
    QByteArrayList expected;
    for (const QString& copy : {u"A"_s, u"B"_s})
        for (int round = 0; round < sharedfolder::Rounds; ++round)
            expected.append(PracticeRecord::lineBytes(sharedfolder::recordEntry(copy, round)));

    QByteArray bytes = folder.read(QString::fromLatin1(practicerecord::FileName));
    QVERIFY(bytes.startsWith(PracticeRecord::headerBytes()));
    bytes.remove(0, PracticeRecord::headerBytes().size());
    QByteArrayList lines;
    for (QByteArray line : bytes.split('\n'))
        if (!line.isEmpty())
            lines.append(line + '\n');
    std::sort(lines.begin(), lines.end());
    std::sort(expected.begin(), expected.end());
    QCOMPARE(lines, expected);
}

void SharedFolderTest::staleLockIsTakenOver_data() {
    QTest::addColumn<bool>("killedHere");
    QTest::newRow("copy killed on this computer") << true;
    QTest::newRow("copy on another computer, older than the stale time") << false;
}

// At once, not after waiting for it.
void SharedFolderTest::staleLockIsTakenOver() {
    QFETCH(bool, killedHere);
    WorkFolder folder;
    folder.write(UsersFile, "Anna\r\n");
    if (killedHere) {
        const auto holder = startWorker({u"hold"_s, folder.dir().absolutePath()}, "held");
        QVERIFY(holder);
        holder->kill();
        QVERIFY(holder->waitForFinished(TimeoutMs));
    } else {
        folder.write(LockFile, "4242\ntivoral\nanderer-rechner\n");
        QFile lock(folder.path(LockFile));
        const auto age = std::chrono::duration_cast<std::chrono::milliseconds>(
            FolderLock::StaleAfter + std::chrono::minutes(1));
        QVERIFY(lock.open(QIODevice::ReadWrite) &&
                lock.setFileTime(QDateTime::currentDateTime().addMSecs(-age.count()),
                                 QFileDevice::FileModificationTime));
    }
    QVERIFY(folder.exists(LockFile));

    Users users(folder.dir());
    ScriptedDialogs dialogs;
    QCOMPARE_LT(addCarla(users, dialogs), FolderLock::DefaultWait.count());
    QCOMPARE(dialogs.prompts(), QStringList());
    QCOMPARE(folder.read(UsersFile), QByteArray("Anna\r\nCarla\r\n"));
    QVERIFY(!folder.exists(LockFile));
}

void SharedFolderTest::busyLockLeavesTheFilesAsTheyWere() {
    WorkFolder folder;
    folder.write(UsersFile, "Anna\r\n");
    const QString scoresPath = folder.path(QString::fromLatin1(HighScoreList::FileName));
    const QStringList scores{HighScoreList::makeEntry(30, 60, u"Ben"_s)};
    QVERIFY(textfile::writeLinesAtomic(scoresPath, HighScoreList::fileLines(scores)));
    const auto holder = startWorker({u"hold"_s, folder.dir().absolutePath()}, "held");
    QVERIFY(holder);

    Users users(folder.dir());
    ScriptedDialogs dialogs;
    QCOMPARE_GE(addCarla(users, dialogs), FolderLock::DefaultWait.count());
    QCOMPARE(dialogs.prompts(), QStringList{FolderLock::busyMessage()});
    QCOMPARE(users.names(), QStringList{u"Anna"_s});
    QCOMPARE(folder.read(UsersFile), QByteArray("Anna\r\n"));

    HighScoreList list(folder.dir());
    QCOMPARE(list.add(HighScoreList::makeEntry(24, 57, u"Anna"_s)), HighScoreList::AddResult::Busy);
    // What the window shows is what the file holds.
    QCOMPARE(list.entries(), scores);
    QCOMPARE(textfile::readLines(scoresPath).lines, HighScoreList::fileLines(scores));
    holder->kill();
    holder->waitForFinished(TimeoutMs);
}

QTEST_GUILESS_MAIN(SharedFolderTest)
#include "test_sharedfolder.moc"
