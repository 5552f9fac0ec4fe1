#include "platform/qtdialogs.h"
#include "platform/random.h"
#include "shell/tivoralapp.h"
#include "store/appstate.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    tivoral::QtDialogs dialogs;
    tivoral::DefaultRandom random;
    tivoral::AppState state(QDir::current(), dialogs, random);
    state.voice.setEngine(tivoral::makeQtSpeechEngine());
    tivoral::TivoralApp app(state);
    QObject::connect(&app, &tivoral::TivoralApp::quitRequested, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    app.start();
    return application.exec();
}
