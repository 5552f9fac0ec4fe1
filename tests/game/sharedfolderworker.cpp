// One more copy of the program's files on a shared folder, as a process of its own:
//   sharedfolderworker add <folder> <copy> [rounds]
//                                           waits for a line on stdin, then adds the planned
//                                           users and results one by one; after the first,
//                                           says "begun" and waits for a second line
//   sharedfolderworker record <folder> <copy> [rounds]
//                                           likewise, appends the planned practice record lines
//   sharedfolderworker hold <folder>        takes the folder lock and keeps it until killed
#include "platform/folderlock.h"
#include "sharedfolderplan.h"
#include "store/practicerecord.h"
#include "store/users.h"
#include "support/scripteddialogs.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <unistd.h>

using namespace tivoral;

namespace {

constexpr int Usage = 2;
constexpr useconds_t PauseMicroseconds = 2000;

// One line of standard input, read without buffering more: the next line is for the next wait.
void waitForLine() {
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar()) {
    }
}

// Neither copy goes on past its first change before both have made theirs: the two runs are
// certain to overlap, however the machine schedules them.
void meetTheOtherCopy(int round) {
    if (round != 0)
        return;
    std::puts("begun");
    std::fflush(stdout);
    waitForLine();
}

// The exit code counts the changes that did not get into the files.
int addPlanned(const QDir& folder, const QString& copy, int rounds) {
    Users users(folder);
    users.load();
    HighScoreList scores(folder);
    testing::ScriptedDialogs dialogs;
    int lost = 0;
    using namespace testing::sharedfolder;
    for (int round = 0; round < rounds; ++round) {
        dialogs.queueInput(userName(copy, round));
        users.addUser(dialogs);
        lost += scores.add(result(copy, round)) != HighScoreList::AddResult::Saved;
        meetTheOtherCopy(round);
        // A breath between changes, so that on a fast disk the two loops still meet.
        ::usleep(PauseMicroseconds);
    }
    return lost + int(dialogs.messages().size());
}

// The exit code counts the lines that did not get into the record.
int appendPlanned(const QDir& folder, const QString& copy, int rounds) {
    PracticeRecord record(folder);
    for (int round = 0; round < rounds; ++round) {
        record.append(testing::sharedfolder::recordEntry(copy, round));
        meetTheOtherCopy(round);
    }
    return record.failedLines();
}

[[noreturn]] void holdLock(const QDir& folder) {
    const FolderLock lock(folder);
    std::puts(lock.state() == FolderLock::State::Held ? "held" : "not held");
    std::fflush(stdout);
    for (;;)
        ::pause();
}

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("hold"))
        holdLock(QDir(args.at(2)));
    const bool record = args.size() >= 4 && args.at(1) == QLatin1String("record");
    if (args.size() < 4 || args.size() > 5 || (args.at(1) != QLatin1String("add") && !record))
        return Usage;
    // Fewer rounds on a network file system, where each change takes a round trip or more.
    const int rounds = args.size() == 5 ? args.at(4).toInt() : testing::sharedfolder::Rounds;
    // Both copies start their loops together, so that their changes really meet.
    std::puts("ready");
    std::fflush(stdout);
    waitForLine();
    const QDir folder(args.at(2));
    return record ? appendPlanned(folder, args.at(3), rounds)
                  : addPlanned(folder, args.at(3), rounds);
}
