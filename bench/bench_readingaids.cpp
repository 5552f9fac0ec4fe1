// The reading aids as a child meets them: another child chosen, with every window of the
// program made, and a help box opened in the child's reading look.
#include "editor/editorwindow.h"
#include "exercises/panelstyle.h"
#include "game/gamewindow.h"
#include "platform/qtdialogs.h"
#include "platform/random.h"
#include "platform/windowscale.h"
#include "shell/mainwindow.h"
#include "shell/overviewwindow.h"
#include "shell/settingswindow.h"
#include "shell/tivoralapp.h"
#include "silentdialogs.h"
#include "store/appstate.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

using namespace tivoral;

namespace {

constexpr int Repeats = 20;
// Two children as different as the aids allow: everything changes at each switch.
const QByteArray TwoChildren = "[Anna]\r\nSchrift = Andika\r\nBuchstabenabstand = weiter\r\n"
                               "Fenstergroesse = 150\r\nKontrast = hoch\r\n"
                               "[Ben]\r\nSchrift = OpenDyslexic\r\n";

void BM_ChildChosenWithEveryWindowMade(benchmark::State& state) {
    QTemporaryDir folder;
    QFile options(folder.filePath(QStringLiteral("TIVORAL.OPT")));
    QFile users(folder.filePath(QStringLiteral("TIVORAL.INF")));
    if (!options.open(QIODevice::WriteOnly) || !options.write(TwoChildren) ||
        !users.open(QIODevice::WriteOnly) || !users.write("Anna\r\nBen\r\n")) {
        state.SkipWithError("no working folder");
        return;
    }
    options.close();
    users.close();
    benchdialogs::AlwaysOk dialogs;
    DefaultRandom random;
    AppState app(QDir(folder.path()), dialogs, random);
    TivoralApp tivoral(app);
    tivoral.start();
    SettingsWindow settings(app);
    EditorWindow editor(app);
    GameWindow game(app);
    OverviewWindow overview(app);
    tivoral.mainWindow()
        .findChild<QAbstractButton*>(QStringLiteral("dosensatzStartButton"))
        ->click();
    int child = 0;
    for (auto _ : state) {
        app.users.selectUser(child);
        tivoral.mainWindow().repaint();
        QCoreApplication::processEvents();
        child = 1 - child;
    }
    windowscale::apply(1.0);
}
BENCHMARK(BM_ChildChosenWithEveryWindowMade)->Iterations(Repeats)->Unit(benchmark::kMillisecond);

// From the call to the box on screen and closed again at once.
void BM_HelpBoxOpened(benchmark::State& state) {
    QtDialogs dialogs;
    ReadingOptions options;
    options.fontFamily = QStringLiteral("Andika");
    options.highContrast = true;
    QTemporaryDir folder;
    benchdialogs::AlwaysOk none;
    DefaultRandom random;
    AppState app(QDir(folder.path()), none, random);
    dialogs.setReadingLook([&] { return panelstyle::readingBoxLook(app.settings, options); });
    const QString sentence = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.\r") +
                             QString(50, QLatin1Char(' ')) + QLatin1Char('\r');
    for (auto _ : state) {
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        dialogs.readingMessage(sentence, QStringLiteral("Gesuchter Satz:"), Icon::None);
    }
}
BENCHMARK(BM_HelpBoxOpened)->Iterations(Repeats)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
