#include "game/gameengine.h"
#include "game/gamesession.h"
#include "gamesteering.h"
#include "support/fixture.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace tivoral;

namespace {

const QString Fallback = QString::fromUtf8(GameEngine::FallbackSentence);

// An engine on a store of the given sentences; the first draw chooses the sentence.
struct Game : testing::Fixture {
    explicit Game(const QStringList& sentences = {}, QList<double> draws = {0.0})
        : Fixture({}, std::move(draws)) {
        app.store.setEntries(sentences);
        engine.newSentence();
        engine.startGame();
    }
    void catchNext() {
        const Cell next = engine.letters().constFirst();
        for (GameEngine::Move move : testing::route(engine.catcher(), next, next))
            engine.move(move);
    }
    GameEngine engine{app};
};

} // namespace

class GameEngineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sentenceChoiceAndFallback_data();
    void sentenceChoiceAndFallback();
    void charactersAreCaughtInSentenceOrder();
    void scatteringFillsFreeCellsWithoutRetrying();
    void startsChargeThePointLimitOnlyInAGame();
    void boxesPauseTheClockAndTheJumps();
};

void GameEngineTest::sentenceChoiceAndFallback_data() {
    QTest::addColumn<QStringList>("sentences");
    QTest::addColumn<double>("draw");
    QTest::addColumn<QString>("expected");
    const QString emojiAnd99 = QStringLiteral("😀") + QString(99, QLatin1Char('a'));
    QTest::newRow("no sentences") << QStringList() << 0.0 << Fallback;
    QTest::newRow("100 characters, one an emoji") << QStringList{emojiAnd99} << 0.0 << emojiAnd99;
    QTest::newRow("101 characters") << QStringList{emojiAnd99 + 'b'} << 0.0 << Fallback;
    QTest::newRow("draw below 1 takes the last")
        << QStringList{"A.", "B."} << testing::AlmostOne << "B.";
}

void GameEngineTest::sentenceChoiceAndFallback() {
    QFETCH(QStringList, sentences);
    QFETCH(double, draw);
    Game game(sentences, {draw});
    QTEST(game.engine.gameText(), "expected");
    QCOMPARE(game.random.seedings, 1);
}

void GameEngineTest::charactersAreCaughtInSentenceOrder() {
    Game game;
    GameEngine& engine = game.engine;
    for (int k = 0; k < 5; ++k)
        game.catchNext();
    QCOMPARE(engine.caughtText(), QStringLiteral("Ich üb"));
    // Reaching the e of Dosen first catches nothing: only the e of übe counts.
    const Cell laterE = engine.letters().at(engine.gameText().indexOf(QStringLiteral("Dosen")) + 3);
    for (GameEngine::Move move : testing::route(engine.catcher(), laterE, engine.letters()[0]))
        engine.move(move);
    QCOMPARE(engine.catcher(), laterE);
    QCOMPARE(engine.gameText(), QStringLiteral("e mit Dosensätzen."));
    QSignalSpy ended(&engine, &GameEngine::ended);
    while (!engine.gameText().isEmpty())
        game.catchNext();
    QCOMPARE(engine.caughtText(), Fallback);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), 24);
    // A leading blank is caught at the start, an emoji whole with the blank after it.
    Game emoji({QStringLiteral(" 😀 ok")});
    QCOMPARE(emoji.engine.caughtText(), QStringLiteral(" "));
    emoji.catchNext();
    QCOMPARE(emoji.engine.caughtText(), QStringLiteral(" 😀 "));
}

void GameEngineTest::scatteringFillsFreeCellsWithoutRetrying() {
    // The same draw over and over still fills 100 cells, one draw each.
    Game stuck({QString(GameEngine::MaxSentenceLength, QLatin1Char('q'))}, {0.0});
    QCOMPARE(stuck.random.draws, 1 + GameEngine::MaxSentenceLength);
    QSet<int> used;
    for (const Cell& cell : stuck.engine.letters()) {
        QVERIFY(cell.column >= 0 && cell.column < GameEngine::Columns && cell.row >= 0 &&
                cell.row < GameEngine::Rows && cell != stuck.engine.catcher());
        used.insert(cell.row * GameEngine::Columns + cell.column);
    }
    QCOMPARE(used.size(), GameEngine::MaxSentenceLength);
}

void GameEngineTest::startsChargeThePointLimitOnlyInAGame() {
    testing::Fixture f;
    f.app.store.setEntries({QStringLiteral("Ok")});
    f.app.points.set(150);
    f.app.settings.setPointLimit(100);
    GameEngine engine(f.app);
    engine.newSentence();
    engine.move(GameEngine::Move::Up);
    engine.tick();
    QCOMPARE(engine.catcher(), GameEngine::CatcherStart);
    QCOMPARE(engine.seconds(), 0);
    engine.startGame();
    engine.tick();
    engine.startGame(); // the clock goes on through a further start, points go below zero
    QCOMPARE(f.app.points.value(), -50);
    QCOMPARE(engine.seconds(), 1);
    while (!engine.gameText().isEmpty())
        engine.move(testing::route(engine.catcher(), engine.letters()[0], engine.letters()[0])[0]);
    const Cell where = engine.catcher();
    QSignalSpy ended(&engine, &GameEngine::ended);
    engine.move(GameEngine::Move::Left);
    // A click after the end would charge the limit and record an empty result.
    engine.startGame();
    QCOMPARE(engine.catcher(), where);
    QCOMPARE(f.app.points.value(), -50);
    QCOMPARE(ended.count(), 0);
}

void GameEngineTest::boxesPauseTheClockAndTheJumps() {
    testing::Fixture f;
    GameSession session(f.app);
    session.activate();
    session.setSpeed(GameEngine::MinSpeed);
    session.clickField();
    session.tick();
    QSignalSpy scattered(&session.engine(), &GameEngine::fieldChanged);
    // A child reads the box for longer than the letters take to jump.
    f.dialogs.whileOpen = [&session] {
        for (int second = 0; second < 2 * GameEngine::MinSpeed; ++second)
            session.tick();
    };
    session.showHelp();
    session.askExit();
    QCOMPARE(session.engine().seconds(), 1);
    QCOMPARE(scattered.count(), 0);
    QVERIFY(session.engine().clockRuns());
    f.dialogs.whileOpen = nullptr;
    for (int second = 2; second <= GameEngine::MinSpeed; ++second)
        session.tick();
    QCOMPARE(scattered.count(), 1);
}

QTEST_GUILESS_MAIN(GameEngineTest)
#include "test_gameengine.moc"
