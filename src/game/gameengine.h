#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace tivoral {

class AppState;

// One cell of the playing field.
struct Cell {
    int column = 0;
    int row = 0;
    bool operator==(const Cell&) const = default;
};

// The rules of Wortfange: the characters of a sentence lie scattered over a grid and must be
// caught in their order with a catcher moved one cell per arrow key, against the clock.
// Driven by key codes and one-second ticks; the window draws from its state.
class GameEngine final : public QObject {
    Q_OBJECT
public:
    static constexpr int Columns = 18;
    static constexpr int Rows = 11;
    static constexpr int CellTwips = 400;
    // In characters as the child sees them: an emoji or a letter with a combining mark is one.
    static constexpr int MaxSentenceLength = 100;
    static constexpr int MinSpeed = 3;
    static constexpr int MaxSpeed = 15;
    static constexpr int DefaultSpeed = 10;
    static constexpr Cell CatcherStart{9, 6};
    static constexpr const char* FallbackSentence = "Ich übe mit Dosensätzen.";

    enum class State { Waiting, Running, Ended };
    enum class Move { Up, Down, Left, Right };

    explicit GameEngine(AppState& app, QObject* parent = nullptr);

    // A new random sentence, catcher back to its start, seconds 0, the start text on the field.
    void newSentence();
    // Scatters the characters and starts the clock; every start costs the point limit, also a
    // further start during a running game. Each character in turn gets one of the cells still
    // free, all equally likely: the draw Int(x · free cells) counts them row by row for the first.
    void startGame();
    // Outside a running game a move does nothing.
    void move(Move direction);
    // One second of the clock; every speed seconds the characters left jump to new cells.
    void tick();
    // Seconds between two scatterings, kept within MinSpeed..MaxSpeed.
    void setSpeed(int seconds);
    // Stops a running game without a result (the window is being closed).
    void stop();
    // While a message box covers the field, the clock and the jumps wait.
    void setPaused(bool paused);

    State state() const { return state_; }
    bool isRunning() const { return state_ == State::Running; }
    // The one-second clock runs while a game runs and is not paused.
    bool clockRuns() const { return isRunning() && !paused_; }
    int speed() const { return speed_; }
    int seconds() const { return seconds_; }
    Cell catcher() const { return catcher_; }
    // The characters still to catch, each one as the child sees it; the first one is the next.
    const QStringList& characters() const { return characters_; }
    QString gameText() const { return characters_.join(QString()); }
    // letters()[i] is the cell of characters()[i].
    const QList<Cell>& letters() const { return letters_; }
    const QString& caughtText() const { return caught_; }
    QString nextLetter() const { return characters_.value(0); }
    QString restText() const { return characters_.mid(1).join(QString()); }

    // What the field shows before a game starts, one entry per text line.
    static QStringList startText();

Q_SIGNALS:
    // The characters on the field (or the start text) changed.
    void fieldChanged();
    void catcherMoved();
    // The caught text, the next letter and the rest text changed.
    void displaysChanged();
    void secondsChanged(int seconds);
    void speedChanged(int seconds);
    // The catcher is shown while a game runs.
    void runningChanged(bool running);
    void clockChanged(bool runs);
    // The whole sentence is caught.
    void ended(int characters, int seconds);

private:
    void setState(State state) { setClock(state, paused_); }
    // Both decide whether the clock runs; every change is reported.
    void setClock(State state, bool paused);
    void placeLetters();
    void checkCatch();
    void catchFirst();
    void endGame();

    AppState& app_;
    State state_ = State::Waiting;
    bool paused_ = false;
    QStringList characters_;
    QString caught_;
    int caughtCount_ = 0;
    QList<Cell> letters_;
    Cell catcher_ = CatcherStart;
    int seconds_ = 0;
    int speed_ = DefaultSpeed;
    // Scratch list of the free cells for one scattering, kept to avoid reallocating per tick.
    std::array<int, Columns * Rows> freeCells_{};
};

} // namespace tivoral
