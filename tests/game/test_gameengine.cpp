#include "game/gameengine.h"
#include "gamesteering.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using tivoral::testing::AlmostOne;
using tivoral::testing::SequenceRandom;

namespace {

const QString Fallback = QString::fromUtf8(GameEngine::FallbackSentence);
constexpr int FreeCells = GameEngine::Columns * GameEngine::Rows - 1;

// The draw that puts the first character on this cell: the free cells counted row by row,
// the catcher's start cell left out.
double drawFor(Cell cell) {
    const Cell start = GameEngine::CatcherStart;
    int index = cell.row * GameEngine::Columns + cell.column;
    if (index > start.row * GameEngine::Columns + start.column)
        --index;
    return (index + 0.5) / FreeCells;
}

// An engine on a store of the given sentences.
struct Game {
    explicit Game(const QStringList& sentences = {}, QList<double> draws = {0.0})
        : random(std::move(draws)) {
        app.store.setEntries(sentences);
    }

    void steer(const QList<GameEngine::Move>& moves) {
        for (GameEngine::Move move : moves)
            engine.move(move);
    }
    void steerTo(Cell cell) {
        steer(testing::route(engine.catcher(), cell, engine.letters().constFirst()));
    }
    void catchNext() { steerTo(engine.letters().constFirst()); }

    testing::WorkFolder folder;
    testing::ScriptedDialogs dialogs;
    SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    GameEngine engine{app};
};

// Every character on a cell of the field, no two on one cell, none on the catcher.
void checkScattering(const GameEngine& engine, int seed) {
    const QList<Cell>& cells = engine.letters();
    QCOMPARE(cells.size(), engine.gameText().size());
    QSet<int> used;
    for (const Cell& cell : cells) {
        QVERIFY(cell.column >= 0 && cell.column < GameEngine::Columns);
        QVERIFY(cell.row >= 0 && cell.row < GameEngine::Rows);
        QVERIFY2(cell != engine.catcher(), qPrintable(QStringLiteral("seed %1").arg(seed)));
        used.insert(cell.row * GameEngine::Columns + cell.column);
    }
    QCOMPARE(used.size(), cells.size());
}

QString repeated(QChar c, int count) {
    return QString(count, c);
}

} // namespace

class GameEngineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sentenceChoiceAndFallback_data();
    void sentenceChoiceAndFallback();
    void activationResetsAndSeeds();
    void charactersAreCaughtInSentenceOrder();
    void blanksAreCaughtAutomatically_data();
    void blanksAreCaughtAutomatically();
    void movesStopAtTheBorders_data();
    void movesStopAtTheBorders();
    void movesOutsideARunningGameDoNothing();
    void scatteringKeepsCellsApart();
    void everyFreeCellCanBeChosen();
    void scatteringNeverRetries();
    void ticksScatterEverySpeedSeconds_data();
    void ticksScatterEverySpeedSeconds();
    void speedStaysWithinItsRange_data();
    void speedStaysWithinItsRange();
    void everyStartChargesThePointLimit_data();
    void everyStartChargesThePointLimit();
    void theClockStopsWhenTheLastCharacterIsCaught();
    void anEndedGameDoesNotStartAgain();
};

void GameEngineTest::sentenceChoiceAndFallback_data() {
    QTest::addColumn<QStringList>("sentences");
    QTest::addColumn<double>("draw");
    QTest::addColumn<QString>("expected");

    const QString hundred = repeated(QLatin1Char('a'), GameEngine::MaxSentenceLength);
    const QStringList three = {QStringLiteral("Eins."), QStringLiteral("Zwei."),
                               QStringLiteral("Drei.")};
    QTest::newRow("no sentences loaded") << QStringList() << 0.0 << Fallback;
    QTest::newRow("empty sentence") << QStringList{QString()} << 0.0 << Fallback;
    QTest::newRow("exactly 100 characters") << QStringList{hundred} << 0.0 << hundred;
    QTest::newRow("101 characters") << QStringList{hundred + QLatin1Char('b')} << 0.0 << Fallback;
    QTest::newRow("draw 0 takes the first") << three << 0.0 << three.at(0);
    QTest::newRow("draw 0.5 of 3 takes the second") << three << 0.5 << three.at(1);
    QTest::newRow("draw just below 1 takes the last") << three << AlmostOne << three.at(2);
}

void GameEngineTest::sentenceChoiceAndFallback() {
    QFETCH(QStringList, sentences);
    QFETCH(double, draw);
    QFETCH(QString, expected);

    Game game(sentences, {draw});
    game.engine.newSentence();
    QCOMPARE(game.engine.gameText(), expected);
    QCOMPARE(game.engine.nextLetter(), expected.left(1));
    QCOMPARE(game.engine.restText(), expected.mid(1));
    QCOMPARE(game.engine.caughtText(), QString());
}

void GameEngineTest::activationResetsAndSeeds() {
    Game game({QStringLiteral("Oma ist da.")});
    game.engine.newSentence();
    game.engine.startGame();
    game.catchNext();
    game.engine.tick();
    game.engine.tick();
    QVERIFY(game.engine.catcher() != GameEngine::CatcherStart);

    const int seedingsBefore = game.random.seedings;
    QSignalSpy running(&game.engine, &GameEngine::runningChanged);
    game.engine.newSentence();
    QCOMPARE(game.random.seedings, seedingsBefore + 1);
    QCOMPARE(game.engine.state(), GameEngine::State::Waiting);
    QCOMPARE(running.count(), 1);
    QCOMPARE(running.at(0).at(0).toBool(), false);
    QCOMPARE(game.engine.seconds(), 0);
    QCOMPARE(game.engine.catcher(), GameEngine::CatcherStart);
    QCOMPARE(game.engine.caughtText(), QString());
    QCOMPARE(game.engine.gameText(), QStringLiteral("Oma ist da."));
}

void GameEngineTest::charactersAreCaughtInSentenceOrder() {
    Game game;
    GameEngine& engine = game.engine;
    engine.newSentence();
    QCOMPARE(engine.gameText(), Fallback);
    engine.startGame();

    // "Ich üb": six characters, the blank caught by itself.
    for (int k = 0; k < 5; ++k)
        game.catchNext();
    QCOMPARE(engine.caughtText(), QStringLiteral("Ich üb"));
    QCOMPARE(engine.nextLetter(), QStringLiteral("e"));
    QCOMPARE(engine.restText(), QStringLiteral(" mit Dosensätzen."));

    // The e of Dosen lies on the field too, but only the e of übe counts.
    const qsizetype laterE = engine.gameText().indexOf(QStringLiteral("Dosen")) + 3;
    QCOMPARE(engine.gameText().at(laterE), QLatin1Char('e'));
    const Cell laterECell = engine.letters().at(laterE);
    game.steerTo(laterECell);
    QCOMPARE(engine.catcher(), laterECell);
    QCOMPARE(engine.caughtText(), QStringLiteral("Ich üb"));
    QCOMPARE(engine.gameText(), QStringLiteral("e mit Dosensätzen."));
    QCOMPARE(engine.letters().at(laterE), laterECell);

    game.catchNext();
    QCOMPARE(engine.caughtText(), QStringLiteral("Ich übe "));
    QCOMPARE(engine.nextLetter(), QStringLiteral("m"));
    QCOMPARE(engine.letters().size(), engine.gameText().size());

    QSignalSpy ended(&engine, &GameEngine::ended);
    while (!engine.gameText().isEmpty())
        game.catchNext();
    QCOMPARE(engine.caughtText(), Fallback);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), 24);
}

void GameEngineTest::blanksAreCaughtAutomatically_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<int>("lettersCaught");
    QTest::addColumn<QString>("caught");
    QTest::addColumn<QString>("next");

    QTest::newRow("leading blank, at the start")
        << QStringLiteral(" Ab") << 0 << QStringLiteral(" ") << QStringLiteral("A");
    QTest::newRow("two leading blanks")
        << QStringLiteral("  Ab") << 0 << QStringLiteral("  ") << QStringLiteral("A");
    QTest::newRow("blank after a word")
        << QStringLiteral("Ab cd") << 2 << QStringLiteral("Ab ") << QStringLiteral("c");
    QTest::newRow("blanks in a row")
        << QStringLiteral("a   b") << 1 << QStringLiteral("a   ") << QStringLiteral("b");
}

void GameEngineTest::blanksAreCaughtAutomatically() {
    QFETCH(QString, sentence);
    QFETCH(int, lettersCaught);
    QFETCH(QString, caught);
    QFETCH(QString, next);

    Game game({sentence});
    game.engine.newSentence();
    game.engine.startGame();
    for (int k = 0; k < lettersCaught; ++k)
        game.catchNext();
    QCOMPARE(game.engine.caughtText(), caught);
    QCOMPARE(game.engine.nextLetter(), next);
    QCOMPARE(game.engine.gameText(), sentence.mid(caught.size()));
}

void GameEngineTest::movesStopAtTheBorders_data() {
    QTest::addColumn<GameEngine::Move>("direction");
    QTest::addColumn<Cell>("border");

    const Cell start = GameEngine::CatcherStart;
    QTest::newRow("up to row 0") << GameEngine::Move::Up << Cell{start.column, 0};
    QTest::newRow("down to row 10")
        << GameEngine::Move::Down << Cell{start.column, GameEngine::Rows - 1};
    QTest::newRow("left to column 0") << GameEngine::Move::Left << Cell{0, start.row};
    QTest::newRow("right to column 17")
        << GameEngine::Move::Right << Cell{GameEngine::Columns - 1, start.row};
}

void GameEngineTest::movesStopAtTheBorders() {
    QFETCH(GameEngine::Move, direction);
    QFETCH(Cell, border);

    // The first character lies on the border cell; the second one anywhere else.
    // The first draw chooses the sentence.
    Game game({QStringLiteral("xy")}, {0.0, drawFor(border), 0.0});
    game.engine.newSentence();
    game.engine.startGame();
    QCOMPARE(game.engine.letters().constFirst(), border);
    const Cell second = game.engine.letters().at(1);

    for (int k = 0; k < GameEngine::Columns + 5; ++k)
        game.engine.move(direction);
    QCOMPARE(game.engine.catcher(), border);
    QCOMPARE(game.engine.caughtText(), QStringLiteral("x"));
    QCOMPARE(game.engine.letters(), QList<Cell>{second});
    QVERIFY(game.engine.isRunning());
}

void GameEngineTest::movesOutsideARunningGameDoNothing() {
    Game game({QStringLiteral("ab")});
    game.engine.newSentence();
    QSignalSpy moved(&game.engine, &GameEngine::catcherMoved);
    for (GameEngine::Move move : {GameEngine::Move::Up, GameEngine::Move::Left,
                                  GameEngine::Move::Down, GameEngine::Move::Right})
        game.engine.move(move);
    QCOMPARE(game.engine.catcher(), GameEngine::CatcherStart);
    QCOMPARE(moved.count(), 0);

    game.engine.startGame();
    while (!game.engine.gameText().isEmpty())
        game.catchNext();
    const Cell where = game.engine.catcher();
    game.engine.move(GameEngine::Move::Up);
    game.engine.move(GameEngine::Move::Left);
    QCOMPARE(game.engine.catcher(), where);
    QCOMPARE(game.engine.state(), GameEngine::State::Ended);
}

void GameEngineTest::scatteringKeepsCellsApart() {
    const QString longest = QStringLiteral("Ab") + repeated(QLatin1Char('x'), 98);
    testing::WorkFolder folder;
    testing::ScriptedDialogs dialogs;
    DefaultRandom random;
    AppState app(folder.dir(), dialogs, random);
    app.store.setEntries({longest});
    GameEngine engine(app);

    constexpr int Seeds = 300;
    for (int seed = 1; seed <= Seeds; ++seed) {
        engine.newSentence();
        random.seed(std::uint64_t(seed));
        engine.startGame();
        checkScattering(engine, seed);
        // Catch the A, then jump: the second scattering avoids the catcher's new cell.
        const Cell first = engine.letters().constFirst();
        for (GameEngine::Move move : testing::route(engine.catcher(), first, first))
            engine.move(move);
        QCOMPARE(engine.caughtText(), QStringLiteral("A"));
        for (int k = 0; k < GameEngine::DefaultSpeed; ++k)
            engine.tick();
        checkScattering(engine, seed);
    }
}

void GameEngineTest::everyFreeCellCanBeChosen() {
    // One draw per free cell, evenly over [0, 1): each free cell comes up exactly once.
    QSet<int> chosen;
    for (int k = 0; k < FreeCells; ++k) {
        Game game({QStringLiteral("X")}, {(k + 0.5) / FreeCells});
        game.engine.newSentence();
        game.engine.startGame();
        const Cell cell = game.engine.letters().constFirst();
        QVERIFY(cell != GameEngine::CatcherStart);
        chosen.insert(cell.row * GameEngine::Columns + cell.column);
    }
    QCOMPARE(chosen.size(), FreeCells);

    Game last({QStringLiteral("X")}, {AlmostOne});
    last.engine.newSentence();
    last.engine.startGame();
    QCOMPARE(last.engine.letters().constFirst(),
             (Cell{GameEngine::Columns - 1, GameEngine::Rows - 1}));
}

void GameEngineTest::scatteringNeverRetries() {
    // The same draw over and over: retrying for a free cell would never end.
    Game game({repeated(QLatin1Char('q'), GameEngine::MaxSentenceLength)}, {0.0});
    game.engine.newSentence();
    const int drawsBefore = game.random.draws;
    game.engine.startGame();
    QCOMPARE(game.random.draws - drawsBefore, GameEngine::MaxSentenceLength);
    QSet<int> used;
    for (const Cell& cell : game.engine.letters())
        used.insert(cell.row * GameEngine::Columns + cell.column);
    QCOMPARE(used.size(), GameEngine::MaxSentenceLength);
}

void GameEngineTest::ticksScatterEverySpeedSeconds_data() {
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("changeAt");
    QTest::addColumn<int>("changeTo");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QList<int>>("scatteredAt");

    QTest::newRow("start value 10")
        << GameEngine::DefaultSpeed << 0 << 0 << 31 << QList<int>{10, 20, 30};
    QTest::newRow("speed 3") << 3 << 0 << 0 << 10 << QList<int>{3, 6, 9};
    QTest::newRow("3, then 5 at second 7") << 3 << 7 << 5 << 16 << QList<int>{3, 6, 10, 15};
    QTest::newRow("15, then 4 at second 2") << 15 << 2 << 4 << 9 << QList<int>{4, 8};
}

void GameEngineTest::ticksScatterEverySpeedSeconds() {
    QFETCH(int, speed);
    QFETCH(int, changeAt);
    QFETCH(int, changeTo);
    QFETCH(int, ticks);
    QFETCH(QList<int>, scatteredAt);

    Game game({QStringLiteral("Der Hund bellt.")});
    game.engine.setSpeed(speed);
    game.engine.newSentence();
    game.engine.startGame();
    const QString caught = game.engine.caughtText();

    QList<int> scattered;
    connect(&game.engine, &GameEngine::fieldChanged, this,
            [&] { scattered.append(game.engine.seconds()); });
    QSignalSpy seconds(&game.engine, &GameEngine::secondsChanged);
    for (int second = 1; second <= ticks; ++second) {
        game.engine.tick();
        if (second == changeAt)
            game.engine.setSpeed(changeTo);
    }
    QCOMPARE(scattered, scatteredAt);
    QCOMPARE(game.engine.seconds(), ticks);
    QCOMPARE(seconds.count(), ticks);
    QCOMPARE(seconds.constLast().at(0).toInt(), ticks);
    QCOMPARE(game.engine.caughtText(), caught);
}

void GameEngineTest::speedStaysWithinItsRange_data() {
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("expected");
    QTest::newRow("fastest") << 3 << 3;
    QTest::newRow("slowest") << 15 << 15;
    QTest::newRow("below the range") << 0 << GameEngine::MinSpeed;
    QTest::newRow("above the range") << 99 << GameEngine::MaxSpeed;
}

void GameEngineTest::speedStaysWithinItsRange() {
    QFETCH(int, requested);
    QFETCH(int, expected);
    Game game;
    game.engine.setSpeed(requested);
    QCOMPARE(game.engine.speed(), expected);
}

void GameEngineTest::everyStartChargesThePointLimit_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QList<int>>("afterEachStart");

    QTest::newRow("enough for two games") << 250 << 100 << QList<int>{150, 50};
    QTest::newRow("second start goes below zero") << 150 << 100 << QList<int>{50, -50};
    QTest::newRow("below the limit already") << 30 << 100 << QList<int>{-70, -170};
    QTest::newRow("limit 1") << 0 << 1 << QList<int>{-1, -2, -3};
}

void GameEngineTest::everyStartChargesThePointLimit() {
    QFETCH(int, points);
    QFETCH(int, limit);
    QFETCH(QList<int>, afterEachStart);

    Game game({QStringLiteral("Wir spielen.")}, {0.1, 0.7, 0.3, 0.9, 0.5});
    game.app.points.set(points);
    game.app.settings.setPointLimit(limit);
    game.engine.newSentence();

    QSignalSpy scattered(&game.engine, &GameEngine::fieldChanged);
    for (int start = 0; start < afterEachStart.size(); ++start) {
        game.engine.startGame();
        QCOMPARE(game.app.points.value(), afterEachStart.at(start));
        QVERIFY(game.engine.isRunning());
        // The clock goes on through a further start.
        game.engine.tick();
        QCOMPARE(game.engine.seconds(), start + 1);
    }
    QCOMPARE(scattered.count(), afterEachStart.size());
}

void GameEngineTest::theClockStopsWhenTheLastCharacterIsCaught() {
    Game game({QStringLiteral("Ja!")});
    game.engine.newSentence();
    QSignalSpy running(&game.engine, &GameEngine::runningChanged);
    QSignalSpy ended(&game.engine, &GameEngine::ended);

    game.engine.tick();
    QCOMPARE(game.engine.seconds(), 0);
    game.engine.startGame();
    QCOMPARE(running.count(), 1);
    QCOMPARE(running.at(0).at(0).toBool(), true);
    for (int k = 0; k < 7; ++k)
        game.engine.tick();
    while (!game.engine.gameText().isEmpty())
        game.catchNext();

    QCOMPARE(running.count(), 2);
    QCOMPARE(running.at(1).at(0).toBool(), false);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0), (QList<QVariant>{3, 7}));
    game.engine.tick();
    QCOMPARE(game.engine.seconds(), 7);
}

void GameEngineTest::anEndedGameDoesNotStartAgain() {
    Game game({QStringLiteral("Ok")});
    game.app.points.set(200);
    game.engine.newSentence();
    game.engine.startGame();
    while (!game.engine.gameText().isEmpty())
        game.catchNext();

    QSignalSpy ended(&game.engine, &GameEngine::ended);
    game.engine.startGame();
    QCOMPARE(game.app.points.value(), 100);
    QCOMPARE(ended.count(), 0);
    QCOMPARE(game.engine.state(), GameEngine::State::Ended);

    game.engine.newSentence();
    game.engine.startGame();
    QCOMPARE(game.app.points.value(), 0);
    QVERIFY(game.engine.isRunning());
}

QTEST_GUILESS_MAIN(GameEngineTest)
#include "test_gameengine.moc"
