#pragma once

#include <QFrame>
#include <QStringList>

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace tivoral {

class AppState;
class MainViews;

// The sentence-file view: the sentence files of the working folder, the sentences
// of the one last clicked, and the hint how to load.
class FileView final : public QFrame {
    Q_OBJECT
public:
    static constexpr int OpenLeftTwips = 1200;

    FileView(AppState& app, MainViews& views, QWidget* parent = nullptr);

private:
    void showFiles();
    void render();

    AppState& app_;
    MainViews& views_;
    QListWidget* files_ = nullptr;
    QPlainTextEdit* preview_ = nullptr;
    QLabel* hint_ = nullptr;
    QStringList shownNames_;
};

} // namespace tivoral
