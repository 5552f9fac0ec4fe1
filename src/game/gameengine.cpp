#include "game/gameengine.h"

#include "platform/random.h"
#include "store/appstate.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace tivoral {

namespace {

// The text cut into the characters a reader sees (grapheme clusters), so that an emoji or a
// letter with a combining accent is caught as one.
QStringList userCharacters(const QString& text) {
    QStringList characters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        characters.append(text.mid(start, end - start));
        start = end;
    }
    return characters;
}

} // namespace

GameEngine::GameEngine(AppState& app, QObject* parent) : QObject(parent), app_(app) {}

QStringList GameEngine::startText() {
    return {QString(), QString(),
            QString(), QStringLiteral("          Zum Starten hier klicken . . ."),
            QString(), QStringLiteral("          (Anleitung über Hilfe-Knopf)")};
}

void GameEngine::newSentence() {
    app_.random.seedFromTimeOfDay();
    const int count = app_.store.count();
    const QString sentence = count > 0 ? app_.store.entry(app_.random.draw(count)) : QString();
    // Blanks alone would be caught by themselves: an instant result for nothing.
    const bool blank = sentence.trimmed().isEmpty();
    characters_ = blank ? QStringList() : userCharacters(sentence);
    if (blank || characters_.size() > MaxSentenceLength)
        characters_ = userCharacters(QString::fromUtf8(FallbackSentence));

    caught_.clear();
    caughtCount_ = 0;
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
    if (state_ == State::Ended || characters_.isEmpty())
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
    if (!clockRuns())
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

void GameEngine::setPaused(bool paused) {
    setClock(state_, paused);
}

void GameEngine::setClock(State state, bool paused) {
    const bool wasRunning = isRunning();
    const bool clockRan = clockRuns();
    state_ = state;
    paused_ = paused;
    if (wasRunning != isRunning())
        Q_EMIT runningChanged(isRunning());
    if (clockRan != clockRuns())
        Q_EMIT clockChanged(clockRuns());
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
    letters_.resize(characters_.size());
    for (Cell& cell : letters_) {
        const int pick = app_.random.draw(freeCount);
        const int index = freeCells_[pick];
        freeCells_[pick] = freeCells_[--freeCount];
        cell = Cell{index % Columns, index / Columns};
    }
    Q_EMIT fieldChanged();
}

void GameEngine::checkCatch() {
    if (!characters_.isEmpty() && letters_.constFirst() == catcher_)
        catchFirst();
    // Blanks are caught by themselves wherever they lie, also several in a row.
    while (!characters_.isEmpty() && characters_.constFirst() == QLatin1String(" "))
        catchFirst();
    if (characters_.isEmpty())
        endGame();
}

void GameEngine::catchFirst() {
    caught_.append(characters_.takeFirst());
    ++caughtCount_;
    letters_.removeFirst();
    Q_EMIT fieldChanged();
    Q_EMIT displaysChanged();
}

void GameEngine::endGame() {
    setState(State::Ended);
    Q_EMIT fieldChanged();
    Q_EMIT ended(caughtCount_, seconds_);
}

} // namespace tivoral
