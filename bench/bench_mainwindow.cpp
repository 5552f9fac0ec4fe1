// Start-up as a child sees it: from creating the application to the main window on screen with
// the default sentence file written, loaded and previewed, in an empty working folder. Every
// start runs in a fresh process, so plugin loading and the font set-up are measured too; a
// bare window of the same size gives the baseline under the same machine load.
#include "childrun.h"
#include "editor/editorwindow.h"
#include "game/gamewindow.h"
#include "platform/qtspeechengine.h"
#include "platform/random.h"
#include "platform/twips.h"
#include "platform/windowscale.h"
#include "shell/infowindow.h"
#include "shell/mainwindow.h"
#include "shell/settingswindow.h"
#include "shell/tivoralapp.h"
#include "silentdialogs.h"
#include "store/appstate.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

using namespace tivoral;

namespace {

constexpr int StartUps = 10;
constexpr double KilobytesPerMegabyte = 1024.0;
constexpr double MillisecondsPerSecond = 1000.0;
constexpr const char* MainWindowMode = "--start-main-window";
constexpr const char* BareWindowMode = "--start-bare-window";

std::string selfPath;

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / KilobytesPerMegabyte;
    return 0;
}

void waitUntilExposed(QWidget& window) {
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// One start in this process; prints the milliseconds and the resident megabytes.
int startOnce(const char* mode, const char* folder, int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    benchdialogs::AlwaysOk dialogs;
    DefaultRandom random;
    std::unique_ptr<AppState> state;
    std::unique_ptr<TivoralApp> tivoral;
    std::unique_ptr<QWidget> bare;
    if (std::strcmp(mode, MainWindowMode) == 0) {
        state = std::make_unique<AppState>(QDir(QString::fromLocal8Bit(folder)), dialogs, random);
        // As main() does: whether a speech service runs, answers or hangs must not show here.
        state->voice.setEngine(makeQtSpeechEngine());
        tivoral = std::make_unique<TivoralApp>(*state);
        tivoral->start();
        waitUntilExposed(tivoral->mainWindow());
        if (state->store.count() != SentenceFileLoader::defaultSentences().size())
            return 1;
    } else {
        bare = std::make_unique<QWidget>();
        bare->resize(twips(MainWindow::WidthTwips), twips(MainWindow::HeightTwips));
        bare->show();
        waitUntilExposed(*bare);
    }
    std::printf("%f %f\n", double(clock.nsecsElapsed()) / 1e6, residentMegabytes());
    return 0;
}

void startInChildProcesses(benchmark::State& state, const char* mode) {
    double rss = 0;
    for (auto _ : state) {
        QTemporaryDir folder;
        const auto figures = benchchild::runSelf(selfPath, mode, folder.path());
        if (!figures) {
            state.SkipWithError("the start-up did not finish");
            break;
        }
        const auto [milliseconds, megabytes] = *figures;
        state.SetIterationTime(milliseconds / MillisecondsPerSecond);
        rss = std::max(rss, megabytes);
    }
    state.counters["resident_MB"] = rss;
}

void BM_StartUpToMainWindowShown(benchmark::State& state) {
    startInChildProcesses(state, MainWindowMode);
}
BENCHMARK(BM_StartUpToMainWindowShown)
    ->Iterations(StartUps)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_BareWindowShown(benchmark::State& state) {
    startInChildProcesses(state, BareWindowMode);
}
BENCHMARK(BM_BareWindowShown)->Iterations(StartUps)->UseManualTime()->Unit(benchmark::kMillisecond);

// Switching the window size with every window of the program made and an exercise shown: the
// re-layout and the first paint at the new size.
void BM_WindowSizeSwitch(benchmark::State& state) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "bench_mainwindow";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QTemporaryDir folder;
    benchdialogs::AlwaysOk dialogs;
    DefaultRandom random;
    AppState app(QDir(folder.path()), dialogs, random);
    TivoralApp tivoral(app);
    tivoral.start();
    waitUntilExposed(tivoral.mainWindow());
    SettingsWindow settings(app);
    EditorWindow editor(app);
    GameWindow game(app);
    InfoWindow info;
    tivoral.mainWindow()
        .findChild<QAbstractButton*>(QStringLiteral("dosensatzStartButton"))
        ->click();
    constexpr double Larger = 1.5;
    bool larger = true;
    for (auto _ : state) {
        windowscale::apply(larger ? Larger : 1.0);
        tivoral.mainWindow().repaint();
        QCoreApplication::processEvents();
        larger = !larger;
    }
    windowscale::apply(1.0);
}
BENCHMARK(BM_WindowSizeSwitch)->Iterations(StartUps)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 &&
        (std::strcmp(argv[1], MainWindowMode) == 0 || std::strcmp(argv[1], BareWindowMode) == 0))
        return startOnce(argv[1], argv[2], 1, argv);
    selfPath = QFile::decodeName(argv[0]).toStdString();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
