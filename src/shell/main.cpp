#include "platform/qtdialogs.h"
#include "platform/random.h"
#include "shell/tivoralapp.h"
#include "store/appstate.h"

#include <QApplication>
#include <QDir>

#include <csignal>

int main(int argc, char* argv[]) {
    // A file-size limit must fail the write (which keeps the old file and says so), not end
    // the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    tivoral::QtDialogs dialogs;
    tivoral::DefaultRandom random;
    tivoral::AppState state(QDir::current(), dialogs, random);
    tivoral::TivoralApp app(state);
    QObject::connect(&app, &tivoral::TivoralApp::quitRequested, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    app.start();
    return application.exec();
}
