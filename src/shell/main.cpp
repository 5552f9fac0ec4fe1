#include "platform/germanqttexts.h"
#include "exercises/panelstyle.h"
#include "platform/lockwaitcursor.h"
#include "platform/qtdialogs.h"
#include "platform/qtspeechengine.h"
#include "platform/random.h"
#include "platform/sessionbus.h"
#include "platform/startahead.h"
#include "shell/commandline.h"
#include "shell/mainwindow.h"
#include "shell/tivoralapp.h"
#include "shell/workingfolder.h"
#include "store/appstate.h"
#include "store/startprefetch.h"

#include <QApplication>
#include <QDir>
#include <QThread>

#include <csignal>

int main(int argc, char* argv[]) {
    // Qt takes the first thread that asks for it as its main thread, and the threads that read
    // and set up ahead below ask before the application object exists: this one asks first.
    static_cast<void>(QThread::currentThread());
    const tivoral::StartRequest request =
        tivoral::readCommandLine(tivoral::commandLineArguments(argc, argv));
    if (request.endStatus)
        return *request.endStatus;
    // A file-size limit must fail the write (which keeps the old file and says so), not end
    // the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // The same for a speech service that went away while the voice still writes to it.
    std::signal(SIGPIPE, SIG_IGN);
    tivoral::QtDialogs dialogs;
    // A folder named on the command line is judged before any window system is needed, so that
    // a wrong one is told in German on a console without a display; only the home folder,
    // started from the desktop menu, answers in a box.
    if (!request.homeFolder && !tivoral::enterWorkingFolder(request, dialogs))
        return tivoral::FolderFailureStatus;
    tivoral::sessionbus::leaveOutIfSilent();
    // The folder's lists are read meanwhile, while the window system is set up, and what the
    // first window would wait for is begun.
    tivoral::StartPrefetch prefetch(request.homeFolder ? request.folder : QDir::currentPath());
    const tivoral::StartAhead ahead;
    // The arguments are read; Qt must not take options of its own out of a folder's name.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    const tivoral::FontListAhead fontList(ahead);
    const auto tinPicture = tivoral::MainWindow::drawPictureAhead(application.devicePixelRatio());
    tivoral::installGermanQtTexts(application);
    const tivoral::LockWaitCursor lockWaitCursor;
    if (request.homeFolder && !tivoral::enterWorkingFolder(request, dialogs))
        return tivoral::FolderFailureStatus;
    tivoral::DefaultRandom random;
    tivoral::AppState state(QDir::current(), dialogs, random, &prefetch);
    dialogs.setReadingLook([&state] {
        return tivoral::panelstyle::readingBoxLook(state.settings, state.readingAids.current());
    });
    state.voice.setEngine(tivoral::makeQtSpeechEngine());
    tivoral::TivoralApp app(state);
    QObject::connect(&app, &tivoral::TivoralApp::quitRequested, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    app.start();
    return application.exec();
}
