#include "game/gameengine.h"
#include "gamesteering.h"
#include "support/fixture.h"

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
    void startsChargeThePointLimitOnlyInAGame();
    void lettersJumpEverySpeedSecondsOfPlay();
};

void GameEngineTest::sentenceChoiceAndFallback_data() {
    QTest::addColumn<QStringList>("sentences");
    QTest::addColumn<double>("draw");
    QTest::addColumn<QString>("expected");
    const QString emojiAnd99 = QStringLiteral("😀") + QString(99, QLatin1Char('a'));
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

void GameEngineTest::startsChargeThePointLimitOnlyInAGame() {
    Game game({QStringLiteral("Ok")});
    game.app.points.set(50);
    game.app.settings.setPointLimit(100);
    game.engine.tick();
    game.engine.startGame(); // the clock goes on through a further start, points go below zero
    QCOMPARE(game.app.points.value(), -50);
    QCOMPARE(game.engine.seconds(), 1);
    while (!game.engine.gameText().isEmpty())
        game.catchNext();
    const Cell where = game.engine.catcher();
    QSignalSpy ended(&game.engine, &GameEngine::ended);
    game.engine.move(GameEngine::Move::Left);
    // A click after the end would charge the limit and record an empty result.
    game.engine.startGame();
    QCOMPARE(game.engine.catcher(), where);
    QCOMPARE(game.app.points.value(), -50);
    QCOMPARE(ended.count(), 0);
}

void GameEngineTest::lettersJumpEverySpeedSecondsOfPlay() {
    Game game({QStringLiteral("Ab")}, {0.0, 0.5, 0.25});
    game.engine.setSpeed(GameEngine::MinSpeed);
    const QList<Cell> placed = game.engine.letters();
    for (int second = 1; second < GameEngine::MinSpeed; ++second)
        game.engine.tick();
    QCOMPARE(game.engine.letters(), placed);
    game.engine.tick();
    QVERIFY(game.engine.letters() != placed);
}

QTEST_GUILESS_MAIN(GameEngineTest)
#include "test_gameengine.moc"
