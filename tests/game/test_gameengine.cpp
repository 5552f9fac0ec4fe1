#include "game/gameengine.h"
#include "game/gamesession.h"
#include "gamesteering.h"
#include "support/fixture.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using tivoral::testing::AlmostOne;

namespace {

const QString Fallback = QString::fromUtf8(GameEngine::FallbackSentence);
constexpr int FreeCells = GameEngine::Columns * GameEngine::Rows - 1;

int indexOf(Cell cell) {
    return cell.row * GameEngine::Columns + cell.column;
}

// The draw that puts the first character on this cell: the free cells counted row by row.
double drawFor(Cell cell) {
    const int index = indexOf(cell) - (indexOf(cell) > indexOf(GameEngine::CatcherStart) ? 1 : 0);
    return (index + 0.5) / FreeCells;
}

// An engine on a store of the given sentences; the first draw chooses the sentence.
struct Game : testing::Fixture {
    explicit Game(const QStringList& sentences = {}, QList<double> draws = {0.0})
        : Fixture({}, std::move(draws)) {
        app.store.setEntries(sentences);
        engine.newSentence();
    }
    void steerTo(Cell cell) {
        for (GameEngine::Move move :
             testing::route(engine.catcher(), cell, engine.letters().constFirst()))
            engine.move(move);
    }
    void catchNext() { steerTo(engine.letters().constFirst()); }

    GameEngine engine{app};
};

// Every character on its own cell of the field, none on the catcher.
void checkScattering(const GameEngine& engine) {
    QCOMPARE(engine.letters().size(), engine.gameText().size());
    QSet<int> used;
    for (const Cell& cell : engine.letters()) {
        QVERIFY(cell.column >= 0 && cell.column < GameEngine::Columns);
        QVERIFY(cell.row >= 0 && cell.row < GameEngine::Rows);
        QVERIFY(cell != engine.catcher());
        used.insert(indexOf(cell));
    }
    QCOMPARE(used.size(), engine.letters().size());
}

} // namespace

class GameEngineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sentenceChoiceAndFallback_data();
    void sentenceChoiceAndFallback();
    void charactersAreCaughtInSentenceOrder();
    void blanksAreCaughtAutomatically_data();
    void blanksAreCaughtAutomatically();
    void movesStopAtTheBorders_data();
    void movesStopAtTheBorders();
    void scatteringUsesFreeCellsOnly();
    void ticksScatterEverySpeedSeconds_data();
    void ticksScatterEverySpeedSeconds();
    void everyStartChargesThePointLimit_data();
    void everyStartChargesThePointLimit();
    void nothingMovesOrStartsOutsideAGame();
    void boxesPauseTheClockAndTheJumps_data();
    void boxesPauseTheClockAndTheJumps();
    void finishedGameIsRecorded();
};

void GameEngineTest::sentenceChoiceAndFallback_data() {
    QTest::addColumn<QStringList>("sentences");
    QTest::addColumn<double>("draw");
    QTest::addColumn<QString>("expected");

    const QString hundred(GameEngine::MaxSentenceLength, QLatin1Char('a'));
    const QStringList three = {"Eins.", "Zwei.", "Drei."};
    QTest::newRow("no sentences loaded") << QStringList() << 0.0 << Fallback;
    QTest::newRow("exactly 100 characters") << QStringList{hundred} << 0.0 << hundred;
    QTest::newRow("101 characters") << QStringList{hundred + 'b'} << 0.0 << Fallback;
    // Two UTF-16 units, one character.
    const QString emojiAnd99 = QStringLiteral("😀") + hundred.left(99);
    QTest::newRow("100 characters, one an emoji") << QStringList{emojiAnd99} << 0.0 << emojiAnd99;
    QTest::newRow("blanks only") << QStringList{QStringLiteral("   ")} << 0.0 << Fallback;
    QTest::newRow("draw just below 1 takes the last") << three << AlmostOne << three.at(2);
}

void GameEngineTest::sentenceChoiceAndFallback() {
    QFETCH(QStringList, sentences);
    QFETCH(double, draw);
    QFETCH(QString, expected);

    Game game(sentences, {draw});
    QCOMPARE(game.engine.gameText(), expected);
    QCOMPARE(game.engine.nextLetter() + game.engine.restText(), expected);
    QCOMPARE(game.random.seedings, 1);
}

void GameEngineTest::charactersAreCaughtInSentenceOrder() {
    Game game;
    GameEngine& engine = game.engine;
    engine.startGame();
    for (int k = 0; k < 5; ++k)
        game.catchNext();
    QCOMPARE(engine.caughtText(), QStringLiteral("Ich üb"));
    QCOMPARE(engine.nextLetter(), QStringLiteral("e"));

    // Reaching the e of Dosen first catches nothing: only the e of übe counts.
    const qsizetype laterE = engine.gameText().indexOf(QStringLiteral("Dosen")) + 3;
    const Cell laterECell = engine.letters().at(laterE);
    game.steerTo(laterECell);
    QCOMPARE(engine.catcher(), laterECell);
    QCOMPARE(engine.gameText(), QStringLiteral("e mit Dosensätzen."));
    QCOMPARE(engine.letters().at(laterE), laterECell);

    game.catchNext();
    QCOMPARE(engine.caughtText(), QStringLiteral("Ich übe "));
    QCOMPARE(engine.nextLetter(), QStringLiteral("m"));

    QSignalSpy ended(&engine, &GameEngine::ended);
    while (!engine.gameText().isEmpty())
        game.catchNext();
    QCOMPARE(engine.caughtText(), Fallback);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), 24);
    QVERIFY(!engine.isRunning());
}

void GameEngineTest::blanksAreCaughtAutomatically_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<int>("lettersCaught");
    QTest::addColumn<QString>("caught");

    QTest::newRow("leading blank, at the start") << " Ab" << 0 << " ";
    QTest::newRow("blanks in a row after a word") << "a   b" << 1 << "a   ";
    QTest::newRow("an emoji is caught whole")
        << QStringLiteral("😀 ok") << 1 << QStringLiteral("😀 ");
    QTest::newRow("a letter with its combining accent")
        << QStringLiteral("e\u0301 x") << 1 << QStringLiteral("e\u0301 ");
}

void GameEngineTest::blanksAreCaughtAutomatically() {
    QFETCH(QString, sentence);
    QFETCH(int, lettersCaught);
    QFETCH(QString, caught);

    Game game({sentence});
    game.engine.startGame();
    for (int k = 0; k < lettersCaught; ++k)
        game.catchNext();
    QCOMPARE(game.engine.caughtText(), caught);
    QCOMPARE(game.engine.gameText(), sentence.mid(caught.size()));
}

void GameEngineTest::movesStopAtTheBorders_data() {
    QTest::addColumn<GameEngine::Move>("direction");
    QTest::addColumn<Cell>("border");

    const Cell start = GameEngine::CatcherStart;
    QTest::newRow("up") << GameEngine::Move::Up << Cell{start.column, 0};
    QTest::newRow("down") << GameEngine::Move::Down << Cell{start.column, GameEngine::Rows - 1};
    QTest::newRow("left") << GameEngine::Move::Left << Cell{0, start.row};
    QTest::newRow("right") << GameEngine::Move::Right << Cell{GameEngine::Columns - 1, start.row};
}

void GameEngineTest::movesStopAtTheBorders() {
    QFETCH(GameEngine::Move, direction);
    QFETCH(Cell, border);

    // The x lies on the border cell, the y elsewhere: pressing on at the border catches the x
    // once and leaves the y.
    Game game({QStringLiteral("xy")}, {0.0, drawFor(border), 0.0});
    game.engine.startGame();
    QCOMPARE(game.engine.letters().constFirst(), border);
    for (int k = 0; k < GameEngine::Columns + 5; ++k)
        game.engine.move(direction);
    QCOMPARE(game.engine.catcher(), border);
    QCOMPARE(game.engine.caughtText(), QStringLiteral("x"));
    QCOMPARE(game.engine.letters().size(), 1);
}

void GameEngineTest::scatteringUsesFreeCellsOnly() {
    // Many seeds; the second scattering is checked after the catcher has moved.
    testing::WorkFolder folder;
    testing::ScriptedDialogs dialogs;
    DefaultRandom random;
    AppState app(folder.dir(), dialogs, random);
    app.store.setEntries({QStringLiteral("Ab") + QString(98, QLatin1Char('x'))});
    GameEngine engine(app);
    for (int seed = 1; seed <= 300; ++seed) {
        engine.newSentence();
        random.seed(std::uint64_t(seed));
        engine.startGame();
        checkScattering(engine);
        const Cell first = engine.letters().constFirst();
        for (GameEngine::Move move : testing::route(engine.catcher(), first, first))
            engine.move(move);
        for (int k = 0; k < GameEngine::DefaultSpeed; ++k)
            engine.tick();
        checkScattering(engine);
    }

    // The same draw over and over still fills 100 cells, one draw each: no retrying.
    Game stuck({QString(GameEngine::MaxSentenceLength, QLatin1Char('q'))}, {0.0});
    stuck.engine.startGame();
    QCOMPARE(stuck.random.draws, 1 + GameEngine::MaxSentenceLength);
    checkScattering(stuck.engine);
}

void GameEngineTest::ticksScatterEverySpeedSeconds_data() {
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("changeAt");
    QTest::addColumn<int>("changeTo");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QList<int>>("scatteredAt");

    QTest::newRow("start value 10") << 10 << 0 << 0 << 31 << QList<int>{10, 20, 30};
    QTest::newRow("3, then 5 at second 7") << 3 << 7 << 5 << 16 << QList<int>{3, 6, 10, 15};
    QTest::newRow("above the range is 15") << 99 << 0 << 0 << 31 << QList<int>{15, 30};
}

void GameEngineTest::ticksScatterEverySpeedSeconds() {
    QFETCH(int, speed);
    QFETCH(int, changeAt);
    QFETCH(int, changeTo);
    QFETCH(int, ticks);

    Game game({QStringLiteral("Der Hund bellt.")});
    game.engine.setSpeed(speed);
    game.engine.startGame();
    QList<int> scattered;
    connect(&game.engine, &GameEngine::fieldChanged, this,
            [&] { scattered.append(game.engine.seconds()); });
    for (int second = 1; second <= ticks; ++second) {
        game.engine.tick();
        if (second == changeAt)
            game.engine.setSpeed(changeTo);
    }
    QTEST(scattered, "scatteredAt");
    QCOMPARE(game.engine.seconds(), ticks);
    QCOMPARE(game.engine.caughtText(), QString());
}

void GameEngineTest::everyStartChargesThePointLimit_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<QList<int>>("afterEachStart");

    QTest::newRow("enough for two games") << 250 << QList<int>{150, 50};
    QTest::newRow("second start goes below zero") << 150 << QList<int>{50, -50};
}

void GameEngineTest::everyStartChargesThePointLimit() {
    QFETCH(int, points);
    QFETCH(QList<int>, afterEachStart);

    Game game({QStringLiteral("Wir spielen.")}, {0.1, 0.7, 0.3, 0.9});
    game.app.points.set(points);
    game.app.settings.setPointLimit(100);
    QSignalSpy scattered(&game.engine, &GameEngine::fieldChanged);
    for (int start = 0; start < afterEachStart.size(); ++start) {
        game.engine.startGame();
        QCOMPARE(game.app.points.value(), afterEachStart.at(start));
        // The clock goes on through a further start.
        game.engine.tick();
        QCOMPARE(game.engine.seconds(), start + 1);
    }
    QCOMPARE(scattered.count(), afterEachStart.size());
}

void GameEngineTest::nothingMovesOrStartsOutsideAGame() {
    Game game({QStringLiteral("Ok")});
    game.app.points.set(200);
    game.engine.move(GameEngine::Move::Up);
    game.engine.tick();
    QCOMPARE(game.engine.catcher(), GameEngine::CatcherStart);
    QCOMPARE(game.engine.seconds(), 0);

    game.engine.startGame();
    while (!game.engine.gameText().isEmpty())
        game.catchNext();
    const Cell where = game.engine.catcher();
    QSignalSpy ended(&game.engine, &GameEngine::ended);
    game.engine.move(GameEngine::Move::Left);
    // A click after the end would charge the limit and record an empty result.
    game.engine.startGame();
    QCOMPARE(game.engine.catcher(), where);
    QCOMPARE(game.app.points.value(), 100);
    QCOMPARE(ended.count(), 0);
}

void GameEngineTest::boxesPauseTheClockAndTheJumps_data() {
    QTest::addColumn<bool>("help"); // otherwise the exit question, answered No
    QTest::newRow("help") << true;
    QTest::newRow("exit question") << false;
}

void GameEngineTest::boxesPauseTheClockAndTheJumps() {
    QFETCH(bool, help);
    Game game;
    GameSession session(game.app);
    session.activate();
    session.setSpeed(GameEngine::MinSpeed);
    session.clickField();
    session.tick();
    QSignalSpy scattered(&session.engine(), &GameEngine::fieldChanged);
    QSignalSpy clock(&session.engine(), &GameEngine::clockChanged);
    // A child reads the box for longer than the letters take to jump.
    game.dialogs.whileOpen = [&session] {
        for (int second = 0; second < 2 * GameEngine::MinSpeed; ++second)
            session.tick();
    };
    help ? session.showHelp() : session.askExit();
    QCOMPARE(session.engine().seconds(), 1);
    QCOMPARE(scattered.count(), 0);
    QCOMPARE(clock.count(), 2); // stopped while the box was open, running again after it
    QVERIFY(session.engine().clockRuns());

    game.dialogs.whileOpen = nullptr;
    for (int second = 2; second <= GameEngine::MinSpeed; ++second)
        session.tick();
    QCOMPARE(session.engine().seconds(), GameEngine::MinSpeed);
    QCOMPARE(scattered.count(), 1);
}

void GameEngineTest::finishedGameIsRecorded() {
    Game game;
    const QDateTime when(QDate(2026, 12, 6), QTime(14, 3, 12));
    game.app.practiceRecord.setClock([when] { return when; });
    GameSession session(game.app);
    session.activate();
    session.clickField();
    session.tick();
    session.tick();
    GameEngine& engine = session.engine();
    while (!engine.gameText().isEmpty()) {
        const Cell next = engine.letters().constFirst();
        for (GameEngine::Move move : testing::route(engine.catcher(), next, next))
            engine.move(move);
    }
    const PracticeEntry played{when,
                               game.app.users.current(),
                               PracticeEntry::Event::Wortfange,
                               QString(),
                               QString(),
                               Fallback,
                               2};
    QCOMPARE(game.folder.read(QString::fromLatin1(practicerecord::FileName)),
             PracticeRecord::headerBytes() + PracticeRecord::lineBytes(played));
}

QTEST_GUILESS_MAIN(GameEngineTest)
#include "test_gameengine.moc"
