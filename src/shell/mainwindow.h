#pragma once

// The main window: the menu row of picture buttons, the pop-up views (sentence files,
// reading view, users, text case), the labels of the loaded file and the current user, the
// reward button, and the exercise panels that lie over the menu row while an exercise runs.
//
// The exercises come in at one place, addExercises(), from the exercise catalog: the window makes
// each one's logic and panel, keeps the panel hidden over its menu row and makes its start button
// first close the views that the start of that exercise closes and then run
// ExerciseFrame::startExercise.

#include "platform/svgiconengine.h"
#include "shell/mainviews.h"

#include "exercises/exerciseframe.h"

#include <QWidget>

#include <QList>

#include <utility>

class QLabel;
class QPlainTextEdit;

namespace tivoral {

class AppState;
class Exercise;
class ExercisePanel;
class InfoWindow;
class PictureButton;
class RewardButton;

class MainWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int WidthTwips = 9675;
    static constexpr int HeightTwips = 8055;

    explicit MainWindow(AppState& app, QWidget* parent = nullptr);

    // Starts drawing the tin picture, the largest part of the first frame, on a thread of its
    // own while the window is built; the window takes it when it starts up.
    [[nodiscard]] static SvgIconEngine::DrawingAhead drawPictureAhead(qreal devicePixelRatio);

    ExerciseFrame& frame() { return frame_; }
    MainViews& views() { return views_; }

    // Size and centre, then settings, users and the sentence file, then the file view.
    void startUp();
    void openInfoWindow();
    void hideMainWindow();
    void showMainWindow();

Q_SIGNALS:
    // The teacher gave the password for the sentence editor, the settings window or the
    // overview.
    void editorRequested();
    void settingsRequested();
    void overviewRequested();
    // The program is to end now.
    void exitConfirmed();
    // The child sees the window: work the first frame need not wait for may begin.
    void firstFrameShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    PictureButton* addMenuButton(int index, const QString& name, const QString& toolTip,
                                 const QString& icon);
    void buildMenuRow();
    static QSize pictureSize();
    void buildLabels();
    void buildReadingView();
    void addExercises();
    // The panels lie hidden until an exercise starts; they are made after the first frame, or
    // at the first start when that comes sooner.
    void makeNextPanel();
    void makePanelsAfterFirstFrame();
    void finishAfterFirstFrame();
    void connectStartButton(PictureButton* button, Exercise& exercise, StartKind kind);
    void confirmExit();
    void render();
    void showFileStatus();
    void applyReadingFont();

    AppState& app_;
    ExerciseFrame frame_;
    MainViews views_;
    QList<PictureButton*> startButtons_;
    QLabel* picture_ = nullptr;
    QLabel* fileName_ = nullptr;
    QLabel* count_ = nullptr;
    QPlainTextEdit* reading_ = nullptr;
    InfoWindow* info_ = nullptr;
    RewardButton* rewardButton_ = nullptr;
    QList<std::pair<ExerciseKind, Exercise*>> unmadePanels_;
    bool firstFramePainted_ = false;
    bool exiting_ = false;
};

} // namespace tivoral
