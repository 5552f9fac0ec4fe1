// The teacher's tools with a class's year of record (a million lines): renaming and deleting a
// child must stay under 2 s, the default worksheet under 1 s, and the "Lernstand" window must
// paint, in a fresh process as after typing the password, in under 0.5 s with an empty record
// and under 1 s with the million lines (its figures follow once the record is read).
#include "childrun.h"
#include "platform/random.h"
#include "recordlines.h"
#include "shell/classroster.h"
#include "shell/overviewwindow.h"
#include "silentdialogs.h"
#include "store/appstate.h"
#include "worksheets/worksheetmaker.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

using namespace tivoral;

namespace {

constexpr double MillisecondsPerSecond = 1000.0;
constexpr int Openings = 5;
constexpr const char* OpenOverviewMode = "--open-overview";

std::string selfPath;

class NoSheetPrinter final : public SheetPrinter {
public:
    bool hasPrinter() const override { return false; }
    bool print(const WorksheetContent&, const QString&, QString*) override { return false; }
};

// A class folder: 25 names, and a record of `lines` lines ending today.
struct ClassFolder {
    QTemporaryDir dir;
    explicit ClassFolder(int lines) {
        QFile names(dir.filePath(QStringLiteral("TIVORAL.INF")));
        if (!names.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the names");
        for (int child = 0; child < benchrecord::Children; ++child)
            names.write("Kind " + QByteArray::number(child) + "\r\n");
        const QDate first = QDate::currentDate().addDays(-(lines / benchrecord::LinesPerDay));
        if (benchrecord::write(dir.filePath(QStringLiteral("PROTOKOLL.CSV")), lines, first) < 0)
            throw std::runtime_error("cannot write the record");
    }
};

void renameInMillionLineRecord(benchmark::State& state) {
    const ClassFolder folder(benchrecord::Lines);
    const ClassRoster roster(QDir(folder.dir.path()));
    bool back = false;
    for (auto _ : state) {
        const auto result =
            back ? roster.rename(QStringLiteral("Kind 3b"), QStringLiteral("Kind 3"))
                 : roster.rename(QStringLiteral("Kind 3"), QStringLiteral("Kind 3b"));
        if (result.outcome != ClassRoster::Outcome::Done)
            state.SkipWithError("the rename failed");
        back = !back;
    }
}
BENCHMARK(renameInMillionLineRecord)->Iterations(Openings)->Unit(benchmark::kMillisecond);

void deleteFromMillionLineRecord(benchmark::State& state) {
    const ClassFolder folder(benchrecord::Lines);
    const ClassRoster roster(QDir(folder.dir.path()));
    int child = 0;
    for (auto _ : state) {
        const auto result = roster.remove(QStringLiteral("Kind %1").arg(child++), true);
        if (result.outcome != ClassRoster::Outcome::Done)
            state.SkipWithError("the delete failed");
    }
}
BENCHMARK(deleteFromMillionLineRecord)->Iterations(Openings)->Unit(benchmark::kMillisecond);

void makeDefaultWorksheet(benchmark::State& state) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "bench_teacher";
    char* argv[] = {name, nullptr};
    const QApplication application(argc, argv);
    QTemporaryDir folder;
    benchdialogs::AlwaysOk dialogs;
    DefaultRandom random;
    AppState app(QDir(folder.path()), dialogs, random);
    app.store.setEntries(SentenceFileLoader::defaultSentences());
    NoSheetPrinter printer;
    WorksheetMaker maker(app, printer);
    for (auto _ : state)
        maker.make();
}
BENCHMARK(makeDefaultWorksheet)->Iterations(Openings)->Unit(benchmark::kMillisecond);

// Notes when the window first paints.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}
    qint64 nanoseconds = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && nanoseconds == 0)
            nanoseconds = clock_.nsecsElapsed();
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& clock_;
};

// One first opening in this process; prints the milliseconds from the open to the window's first
// paint, and to the figures shown.
int openOverviewOnce(const char* folder, int argc, char** argv) {
    const QApplication application(argc, argv);
    benchdialogs::AlwaysOk dialogs;
    DefaultRandom random;
    AppState app(QDir(QString::fromLocal8Bit(folder)), dialogs, random);
    QElapsedTimer clock;
    clock.start();
    OverviewWindow window(app);
    FirstPaint painted(clock);
    window.installEventFilter(&painted);
    window.activate(0);
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    std::printf("%f %f\n", double(painted.nanoseconds) / 1e6, double(clock.nsecsElapsed()) / 1e6);
    return 0;
}

void openOverviewInChildProcesses(benchmark::State& state) {
    const ClassFolder folder(int(state.range(0)));
    double slowestFilled = 0;
    for (auto _ : state) {
        const auto figures = benchchild::runSelf(selfPath, OpenOverviewMode, folder.dir.path());
        if (!figures) {
            state.SkipWithError("the overview did not open");
            break;
        }
        const auto [painted, filled] = *figures;
        state.SetIterationTime(painted / MillisecondsPerSecond);
        slowestFilled = std::max(slowestFilled, filled);
    }
    state.counters["figures_shown_ms"] = slowestFilled;
}
BENCHMARK(openOverviewInChildProcesses)
    ->Arg(0)
    ->Arg(benchrecord::Lines)
    ->Iterations(Openings)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], OpenOverviewMode) == 0)
        return openOverviewOnce(argv[2], 1, argv);
    selfPath = QFile::decodeName(argv[0]).toStdString();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
