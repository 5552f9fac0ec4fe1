#pragma once

#include "game/gameengine.h"
#include "game/highscorelist.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace tivoral {

class AppState;

// What the Wortfange window does, apart from drawing: the keys it answers, the end of a
// game with its result and high-score list, the exit question, the help and closing.
class GameSession final : public QObject {
    Q_OBJECT
public:
    explicit GameSession(AppState& app, QObject* parent = nullptr);

    GameEngine& engine() { return engine_; }
    const GameEngine& engine() const { return engine_; }

    // The window becomes active: a new sentence, no results shown.
    void activate();
    void clickField() { engine_.startGame(); }
    // The arrow keys move the catcher and Escape asks to leave; true for these, so that no
    // control sees them, false for every other key.
    bool keyPressed(int qtKey);
    void tick() { engine_.tick(); }
    void setSpeed(int seconds) { engine_.setSpeed(seconds); }

    // "ENDE" and Escape: closes the game on Yes.
    void askExit();
    void showHelp();
    // Stops a running game, puts the results away and reports closed().
    void closeGame();

    bool scoresShown() const { return scoresShown_; }
    const QStringList& scores() const { return scores_.entries(); }

    static QString resultPrompt(int characters, int seconds);
    static QString helpPrompt();

Q_SIGNALS:
    // The high-score panel is shown or put away; scores() holds the entries to show.
    void scoresChanged();
    void closed();

private:
    void endGame(int characters, int seconds);
    void setScoresShown(bool shown);

    AppState& app_;
    GameEngine engine_;
    HighScoreList scores_;
    bool scoresShown_ = false;
};

} // namespace tivoral
