#include "game/gameengine.h"

#include "platform/random.h"
#include "store/appstate.h"

#include <algorithm>

namespace tivoral {

GameEngine::GameEngine(AppState& app, QObject* parent) : QObject(parent), app_(app) {}

QStringList GameEngine::startText() {
    return {QString(), QString(),
            QString(), QStringLiteral("          Zum Starten hier klicken . . ."),
            QString(), QStringLiteral("          (Anleitung über Hilfe-Knopf)")};
}

void GameEngine::newSentence() {
    app_.random.seedFromTimeOfDay();
    const int count = app_.store.count();
    QString sentence = count > 0 ? app_.store.entry(app_.random.draw(count)) : QString();
    if (sentence.isEmpty() || sentence.size() > MaxSentenceLength)
        sentence = QString::fromUtf8(FallbackSentence);

    gameText_ = sentence;
    caught_.clear();
    letters_.clear();
    catcher_ = CatcherStart;
    seconds_ = 0;
    setState(State::Waiting);
    Q_EMIT fieldChanged();
    Q_EMIT catcherMoved();
    Q_EMIT displaysChanged();
    Q_EMIT secondsChanged(seconds_);
}

void GameEngine::startGame() {
    // Once the sentence is caught (or the game was stopped) only a new sentence starts again;
    // otherwise a click would charge the limit and record an empty result.
    if (state_ == State::Ended || gameText_.isEmpty())
        return;
    setState(State::Running);
    placeLetters();
    checkCatch();
    app_.points.set(app_.points.value() - app_.settings.pointLimit());
}

void GameEngine::move(Move direction) {
    if (!isRunning())
        return;
    const Cell before = catcher_;
    switch (direction) {
    case Move::Up:
        catcher_.row = std::max(0, catcher_.row - 1);
        break;
    case Move::Down:
        catcher_.row = std::min(Rows - 1, catcher_.row + 1);
        break;
    case Move::Left:
        catcher_.column = std::max(0, catcher_.column - 1);
        break;
    case Move::Right:
        catcher_.column = std::min(Columns - 1, catcher_.column + 1);
        break;
    }
    if (catcher_ != before)
        Q_EMIT catcherMoved();
    // Also on the border cell: the catcher may stand on the next character already.
    checkCatch();
}

void GameEngine::tick() {
    if (!isRunning())
        return;
    ++seconds_;
    Q_EMIT secondsChanged(seconds_);
    if (seconds_ % speed_ == 0) {
        placeLetters();
        checkCatch();
    }
}

void GameEngine::setSpeed(int seconds) {
    const int speed = std::clamp(seconds, MinSpeed, MaxSpeed);
    if (speed == speed_)
        return;
    speed_ = speed;
    Q_EMIT speedChanged(speed_);
}

void GameEngine::stop() {
    if (isRunning()) {
        setState(State::Ended);
        Q_EMIT fieldChanged();
    }
}

void GameEngine::setState(State state) {
    const bool wasRunning = isRunning();
    state_ = state;
    if (wasRunning != isRunning())
        Q_EMIT runningChanged(isRunning());
}

// Each character takes one of the cells still free, every free cell equally likely: one draw
// per character and no retries, so a scattering takes the same time however full the field is.
void GameEngine::placeLetters() {
    const int catcherIndex = catcher_.row * Columns + catcher_.column;
    int freeCount = 0;
    for (int index = 0; index < Columns * Rows; ++index) {
        if (index != catcherIndex)
            freeCells_[freeCount++] = index;
    }
    letters_.resize(gameText_.size());
    for (Cell& cell : letters_) {
        const int pick = app_.random.draw(freeCount);
        const int index = freeCells_[pick];
        freeCells_[pick] = freeCells_[--freeCount];
        cell = Cell{index % Columns, index / Columns};
    }
    Q_EMIT fieldChanged();
}

void GameEngine::checkCatch() {
    if (!gameText_.isEmpty() && letters_.constFirst() == catcher_)
        catchFirst();
    // Blanks are caught by themselves wherever they lie, also several in a row.
    while (gameText_.startsWith(QLatin1Char(' ')))
        catchFirst();
    if (gameText_.isEmpty())
        endGame();
}

void GameEngine::catchFirst() {
    caught_.append(gameText_.front());
    gameText_.remove(0, 1);
    letters_.removeFirst();
    Q_EMIT fieldChanged();
    Q_EMIT displaysChanged();
}

void GameEngine::endGame() {
    setState(State::Ended);
    Q_EMIT fieldChanged();
    Q_EMIT ended(int(caught_.size()), seconds_);
}

} // namespace tivoral
