// What the folder lock costs a change on a local disk when no other copy holds it: the lock
// alone, and the whole read-change-write of a high-score result and of a new user around it.
// QLockFile syncs its small file to the disk, so the disk's own cost of one synced small write
// is measured beside it: on a busy disk the two grow together.
#include "game/highscorelist.h"
#include "platform/dialogs.h"
#include "platform/folderlock.h"
#include "store/users.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

using namespace tivoral;

namespace {

constexpr int NamesInFile = 400;

class NamingDialogs final : public Dialogs {
public:
    Answer message(const QString&, const QString&, Buttons, Icon, Answer) override {
        ++messages;
        return Answer::Ok;
    }
    QString input(const QString&, const QString&, const QString&) override {
        return QStringLiteral("Kind ") + QString::number(++named);
    }
    int messages = 0;
    int named = 0;
};

// As much as a lock file holds: process id, program, host and machine.
constexpr qsizetype LockFileBytes = 100;

void BM_SyncedSmallFile(benchmark::State& state) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("PROBE"));
    const QByteArray bytes(LockFileBytes, 'x');
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::NewOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
            ::fdatasync(file.handle()) != 0) {
            state.SkipWithError("the small file could not be written");
            break;
        }
        file.close();
        QFile::remove(path);
    }
}

void BM_FolderLockUncontended(benchmark::State& state) {
    const QTemporaryDir folder;
    for (auto _ : state) {
        const FolderLock lock(QDir(folder.path()));
        if (lock.state() != FolderLock::State::Held) {
            state.SkipWithError("the lock was not held");
            break;
        }
    }
}

void BM_AddHighScoreToFullList(benchmark::State& state) {
    const QTemporaryDir folder;
    HighScoreList list{QDir(folder.path())};
    for (int seconds = 1; seconds <= HighScoreList::MaxFileLines; ++seconds)
        list.add(HighScoreList::makeEntry(20, seconds, QStringLiteral("Kim")));
    int seconds = 0;
    for (auto _ : state) {
        if (list.add(HighScoreList::makeEntry(20, ++seconds % HighScoreList::MaxFileLines,
                                              QStringLiteral("Lea"))) !=
            HighScoreList::AddResult::Saved) {
            state.SkipWithError("a result was not saved");
            break;
        }
    }
}

void BM_AddUserToLongList(benchmark::State& state) {
    const QTemporaryDir folder;
    Users users{QDir(folder.path())};
    NamingDialogs dialogs;
    for (int i = 0; i < NamesInFile; ++i)
        users.addUser(dialogs);
    for (auto _ : state)
        users.addUser(dialogs);
    if (dialogs.messages != 0)
        state.SkipWithError("a name was not saved");
}

} // namespace

BENCHMARK(BM_SyncedSmallFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FolderLockUncontended)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddHighScoreToFullList)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddUserToLongList)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK_MAIN();
