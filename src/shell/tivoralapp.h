#pragma once

#include "shell/sharewarning.h"
#include "worksheets/worksheetmaker.h"

#include <QObject>

namespace tivoral {

class AppState;
class EditorWindow;
class GameWindow;
class MainWindow;
class OverviewWindow;
class SettingsWindow;

// The windows of one run over one shared state. The main window lives for the whole run; the
// other windows are made on first use and then only hidden and shown. While the editor, the
// settings window or the game is shown, the main window is hidden.
class TivoralApp final : public QObject {
    Q_OBJECT
public:
    static constexpr int VoiceStartDelayMs = 1000;

    explicit TivoralApp(AppState& state, QObject* parent = nullptr);
    ~TivoralApp() override;

    // Runs the start-up of the main window and shows it.
    void start();

    MainWindow& mainWindow() { return *main_; }
    // Made on first use; nullptr until then.
    EditorWindow* editorWindow() const { return editor_; }
    SettingsWindow* settingsWindow() const { return settings_; }
    GameWindow* gameWindow() const { return game_; }
    OverviewWindow* overviewWindow() const { return overview_; }

Q_SIGNALS:
    // The child or teacher confirmed that the program ends.
    void quitRequested();

private:
    void openEditor();
    void openSettings();
    void openGame();
    void openOverview();
    // The worksheet dialog; "Erstellen" keeps its choices and makes the worksheet.
    void offerWorksheets();
    // The chosen child's window size, for every window at once.
    void applyWindowSize();

    AppState& state_;
    MainWindow* main_;
    EditorWindow* editor_ = nullptr;
    SettingsWindow* settings_ = nullptr;
    GameWindow* game_ = nullptr;
    OverviewWindow* overview_ = nullptr;
    SystemSheetPrinter sheetPrinter_;
    WorksheetMaker worksheets_;
    ShareWarning shareWarning_;
};

} // namespace tivoral
