#include "shell/tivoralapp.h"

#include "editor/editorwindow.h"
#include "game/gamewindow.h"
#include "platform/windowscale.h"
#include "shell/mainwindow.h"
#include "shell/overviewwindow.h"
#include "shell/settingswindow.h"
#include "store/appstate.h"
#include "store/ownfiles.h"
#include "worksheets/worksheetdialog.h"
#include "worksheets/worksheetoptions.h"

#include <QScreen>
#include <QTimer>

#include <malloc.h>

namespace tivoral {

TivoralApp::TivoralApp(AppState& state, QObject* parent)
    : QObject(parent), state_(state), main_(new MainWindow(state)),
      worksheets_(state, sheetPrinter_), shareWarning_(state.workFolder, state.dialogs) {
    connect(main_, &MainWindow::exitConfirmed, this, &TivoralApp::quitRequested);
    connect(main_, &MainWindow::editorRequested, this, &TivoralApp::openEditor);
    connect(main_, &MainWindow::settingsRequested, this, &TivoralApp::openSettings);
    connect(main_, &MainWindow::overviewRequested, this, &TivoralApp::openOverview);
    connect(&main_->frame(), &ExerciseFrame::rewardGameRequested, this, &TivoralApp::openGame);
    connect(&state.readingAids, &ReadingAids::changed, this, &TivoralApp::applyWindowSize);
    windowscale::keepWindowsOnScreen();
}

TivoralApp::~TivoralApp() {
    delete overview_;
    delete game_;
    delete settings_;
    delete editor_;
    delete main_;
}

void TivoralApp::start() {
    connect(main_, &MainWindow::firstFrameShown, this, [this] {
        // Temporary files a crash left behind never show among the lists; clearing them away
        // can wait until the child sees the window.
        ownfiles::removeStaleTemporaries(state_.workFolder);
        // Reading a large class folder at the start leaves megabytes freed but still held by
        // the heap, on school computers that run many programs at once.
        malloc_trim(0);
    });
    main_->startUp();
    main_->show();
    shareWarning_.start();
    // Whether there is a voice decides which buttons show; asked once the window is up, as
    // starting the engine can take a moment.
    QTimer::singleShot(VoiceStartDelayMs, &state_.voice, [this] { state_.voice.start(); });
}

void TivoralApp::applyWindowSize() {
    const QScreen* screen = main_->screen();
    const int percent = state_.readingAids.current().windowPercent;
    if (!screen) {
        windowscale::apply(percent == ReadingOptions::FillScreen ? 1.0 : percent / 100.0);
        return;
    }
    // Never larger than the screen: a window cut off at its edge is no help to a reader. The
    // main window is the largest of the child's windows.
    const double now = windowscale::factor();
    const QSize layout(qRound(main_->width() / now), qRound(main_->height() / now));
    const double fits = windowscale::fillFactor(layout, windowscale::frameExtra(*main_),
                                                screen->availableGeometry());
    windowscale::apply(percent == ReadingOptions::FillScreen ? fits
                                                             : std::min(fits, percent / 100.0));
}

void TivoralApp::openEditor() {
    if (!editor_) {
        editor_ = new EditorWindow(state_);
        connect(editor_, &EditorWindow::returnedToMainWindow, main_, &MainWindow::showMainWindow);
        connect(editor_, &EditorWindow::worksheetsRequested, this, &TivoralApp::offerWorksheets);
    }
    main_->hideMainWindow();
    editor_->activate();
}

void TivoralApp::offerWorksheets() {
    const ReadingOptionsFile folderOptions(state_.workFolder);
    const QList<int> marked = editor_->markedRows();
    WorksheetDialog dialog(worksheetoptions::read(folderOptions), int(marked.size()),
                           worksheets_.classFontFamily(), editor_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Choices that cannot be kept (a folder without write access) still make the worksheet.
    worksheetoptions::write(folderOptions, dialog.options(), nullptr);
    worksheets_.make(dialog.options(), marked);
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

void TivoralApp::openOverview() {
    if (!overview_) {
        overview_ = new OverviewWindow(state_);
        connect(overview_, &OverviewWindow::returnedToMainWindow, main_,
                &MainWindow::showMainWindow);
    }
    main_->hideMainWindow();
    overview_->activate(state_.practiceRecord.failedLines());
}

} // namespace tivoral
