#pragma once

#include <QObject>

namespace tivoral {

class AppState;
class MainWindow;

// The windows of one run over one shared state. The main window lives for the whole run; the
// other windows are made on first use and then only hidden and shown.
class TivoralApp final : public QObject {
    Q_OBJECT
public:
    explicit TivoralApp(AppState& state, QObject* parent = nullptr);
    ~TivoralApp() override;

    // Runs the start-up of the main window and shows it.
    void start();

    MainWindow& mainWindow() { return *main_; }

Q_SIGNALS:
    // The child or teacher confirmed that the program ends.
    void quitRequested();

private:
    MainWindow* main_;
};

} // namespace tivoral
