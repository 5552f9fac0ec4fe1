#include "game/gamesession.h"

#include "platform/dialogs.h"
#include "platform/folderlock.h"
#include "platform/textmarks.h"
#include "store/appstate.h"

namespace tivoral {

namespace {

const QString Title = QStringLiteral("Wortfange");

// A child reading a box loses no seconds, and the letters do not jump behind it.
class ClockPause {
public:
    explicit ClockPause(GameEngine& engine) : engine_(engine) { engine_.setPaused(true); }
    ~ClockPause() { engine_.setPaused(false); }
    ClockPause(const ClockPause&) = delete;
    ClockPause& operator=(const ClockPause&) = delete;

private:
    GameEngine& engine_;
};

} // namespace

GameSession::GameSession(AppState& app, QObject* parent)
    : QObject(parent), app_(app), engine_(app), scores_(app.workFolder) {
    connect(&engine_, &GameEngine::ended, this, &GameSession::endGame);
}

void GameSession::activate() {
    setScoresShown(false);
    engine_.newSentence();
}

bool GameSession::keyPressed(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left:
        engine_.move(GameEngine::Move::Left);
        return true;
    case Qt::Key_Up:
        engine_.move(GameEngine::Move::Up);
        return true;
    case Qt::Key_Right:
        engine_.move(GameEngine::Move::Right);
        return true;
    case Qt::Key_Down:
        engine_.move(GameEngine::Move::Down);
        return true;
    case Qt::Key_Escape:
        askExit();
        return true;
    default:
        return false;
    }
}

QString GameSession::resultPrompt(int characters, int seconds) {
    return QStringLiteral("Du hast die ") + QString::number(characters) +
           QStringLiteral(" Buchstaben") + CR + QStringLiteral("in ") + QString::number(seconds) +
           QStringLiteral(" Sekunden geschafft.") + CR;
}

QString GameSession::helpPrompt() {
    const QStringList lines = {QStringLiteral("Du musst die Buchstaben eines Wortes der"),
                               QStringLiteral("Reihe nach fangen. Bei mehreren gleichen"),
                               QStringLiteral("Buchstaben weißt du aber nicht, welcher"),
                               QStringLiteral("der Buchstaben zuerst gefangen werden"),
                               QStringLiteral("muss. Da hilft nur eine schnelle Reaktion!"),
                               QStringLiteral("Steuern musst du mit den vier Pfeiltasten.")};
    return lines.join(CR) + CR;
}

void GameSession::endGame(int characters, int seconds) {
    PracticeEntry played = newPracticeEntry(app_, PracticeEntry::Event::Wortfange);
    played.sentence = engine_.caughtText();
    played.seconds = seconds;
    app_.practiceRecord.append(played);
    const HighScoreList::AddResult saved =
        scores_.add(HighScoreList::makeEntry(characters, seconds, app_.users.current()));
    setScoresShown(true);
    app_.dialogs.readingMessage(resultPrompt(characters, seconds), Title);
    if (saved == HighScoreList::AddResult::Busy) {
        app_.dialogs.message(scores_.refusal(), Title, Buttons::Ok, Icon::Warning);
    } else if (saved == HighScoreList::AddResult::Failed) {
        app_.dialogs.message(QStringLiteral("Die Bestenliste konnte nicht gespeichert werden.") +
                                 CR,
                             Title, Buttons::Ok, Icon::Warning);
    }
}

void GameSession::askExit() {
    const ClockPause pause(engine_);
    const Answer answer = app_.dialogs.message(QStringLiteral("Dieses Spiel jetzt beenden?") + CR,
                                               Title, Buttons::YesNo, Icon::Question, Answer::No);
    if (answer == Answer::Yes)
        closeGame();
}

void GameSession::showHelp() {
    const ClockPause pause(engine_);
    app_.dialogs.readingMessage(helpPrompt(), QStringLiteral("Wortfange: Hilfe"));
}

void GameSession::closeGame() {
    engine_.stop();
    scores_.clear();
    setScoresShown(false);
    Q_EMIT closed();
}

void GameSession::setScoresShown(bool shown) {
    scoresShown_ = shown;
    Q_EMIT scoresChanged();
}

} // namespace tivoral
