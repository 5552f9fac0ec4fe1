#include "shell/tivoralapp.h"

#include "editor/editorwindow.h"
#include "game/gamewindow.h"
#include "shell/mainwindow.h"
#include "shell/settingswindow.h"

namespace tivoral {

TivoralApp::TivoralApp(AppState& state, QObject* parent)
    : QObject(parent), state_(state), main_(new MainWindow(state)),
      worksheets_(state, sheetPrinter_) {
    connect(main_, &MainWindow::exitConfirmed, this, &TivoralApp::quitRequested);
    connect(main_, &MainWindow::editorRequested, this, &TivoralApp::openEditor);
    connect(main_, &MainWindow::settingsRequested, this, &TivoralApp::openSettings);
    connect(&main_->frame(), &ExerciseFrame::rewardGameRequested, this, &TivoralApp::openGame);
}

TivoralApp::~TivoralApp() {
    delete game_;
    delete settings_;
    delete editor_;
    delete main_;
}

void TivoralApp::start() {
    main_->startUp();
    main_->show();
}

void TivoralApp::openEditor() {
    if (!editor_) {
        editor_ = new EditorWindow(state_);
        connect(editor_, &EditorWindow::returnedToMainWindow, main_, &MainWindow::showMainWindow);
        connect(editor_, &EditorWindow::worksheetsRequested, this, [this] { worksheets_.make(); });
    }
    main_->hideMainWindow();
    editor_->activate();
}

void TivoralApp::openSettings() {
    if (!settings_) {
        settings_ = new SettingsWindow(state_);
        connect(settings_, &SettingsWindow::returnedToMainWindow, main_,
                &MainWindow::showMainWindow);
    }
    main_->hideMainWindow();
    settings_->activate();
}

void TivoralApp::openGame() {
    if (!game_) {
        game_ = new GameWindow(state_);
        connect(game_, &GameWindow::closed, main_, &MainWindow::showMainWindow);
    }
    main_->hideMainWindow();
    game_->activate();
}

} // namespace tivoral
