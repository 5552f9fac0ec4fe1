#pragma once

#include "game/gamesession.h"

#include <QWidget>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTimer;

namespace tivoral {

class AppState;
class PlayingField;
class SyllableLabel;

// The Wortfange window: the playing field with its clock, speed bar and the three text
// displays, and the high-score panel that covers the field after a game. It is made once and
// then only hidden and shown.
class GameWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int TickMilliseconds = 1000;

    explicit GameWindow(AppState& app, QWidget* parent = nullptr);

    // The window becomes active: a new sentence, then shown and raised.
    void activate();

    const GameSession& session() const { return session_; }

Q_SIGNALS:
    // The game was closed; the main window shows itself again.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The child's font, spacing and contrast on the game's texts.
    void applyReadingAids();
    void buildTopRow();
    void buildDisplays(AppState& app);
    void buildScorePanel();
    void showDisplays();
    void showScores();
    void startGame();
    void askExit();
    void showHelp();
    void changeSpeed(int seconds);
    void finishClosing();

    AppState& app_;
    GameSession session_;
    PlayingField* field_;
    QTimer* clock_;
    QLabel* seconds_ = nullptr;
    QLabel* speedValue_ = nullptr;
    QScrollBar* speedBar_ = nullptr;
    QLabel* caught_ = nullptr;
    QLabel* next_ = nullptr;
    SyllableLabel* rest_ = nullptr;
    QFrame* scorePanel_ = nullptr;
    QListWidget* scoreList_ = nullptr;
    QLabel* closeLabel_ = nullptr;
};

} // namespace tivoral
