#include "shell/tivoralapp.h"

#include "shell/mainwindow.h"

namespace tivoral {

TivoralApp::TivoralApp(AppState& state, QObject* parent)
    : QObject(parent), main_(new MainWindow(state)) {
    connect(main_, &MainWindow::exitConfirmed, this, &TivoralApp::quitRequested);
}

TivoralApp::~TivoralApp() {
    delete main_;
}

void TivoralApp::start() {
    main_->startUp();
    main_->show();
}

} // namespace tivoral
