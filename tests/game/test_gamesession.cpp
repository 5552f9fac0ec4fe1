#include "game/gamesession.h"
#include "gamesteering.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using tivoral::testing::ScriptedDialogs;

namespace {

const QString ListFile = QString::fromLatin1(HighScoreList::FileName);

// A session on a store of the given sentences, with a chosen user.
struct Session {
    explicit Session(const QStringList& sentences = {}) {
        app.store.setEntries(sentences);
        folder.write(QString::fromLatin1(Users::FileName), "Anna\r\nMeier, Max\r\n");
        app.users.load();
        app.users.selectUser(0);
    }

    void press(GameSession::KeyCode code) { QVERIFY(session.keyPressed(code)); }
    void catchAll() {
        const GameEngine& engine = session.engine();
        while (!engine.gameText().isEmpty()) {
            const Cell first = engine.letters().constFirst();
            for (GameEngine::Move move : testing::route(engine.catcher(), first, first))
                press(keyFor(move));
        }
    }
    static GameSession::KeyCode keyFor(GameEngine::Move move) {
        switch (move) {
        case GameEngine::Move::Up:
            return GameSession::KeyUp;
        case GameEngine::Move::Down:
            return GameSession::KeyDown;
        case GameEngine::Move::Left:
            return GameSession::KeyLeft;
        case GameEngine::Move::Right:
            break;
        }
        return GameSession::KeyRight;
    }

    testing::WorkFolder folder;
    ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    GameSession session{app};
};

} // namespace

class GameSessionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyTheGameKeysAreTaken_data();
    void onlyTheGameKeysAreTaken();
    void finishedGameShowsResultAndList();
    void resultMessageNamesCharactersAndSeconds_data();
    void resultMessageNamesCharactersAndSeconds();
    void unsavedListIsReported();
    void exitQuestion_data();
    void exitQuestion();
    void helpText();
    void closingStopsTheGameAndClearsTheList();
};

void GameSessionTest::onlyTheGameKeysAreTaken_data() {
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<Cell>("catcher");

    const Cell start = GameEngine::CatcherStart;
    QTest::newRow("left") << 37 << true << Cell{start.column - 1, start.row};
    QTest::newRow("up") << 38 << true << Cell{start.column, start.row - 1};
    QTest::newRow("right") << 39 << true << Cell{start.column + 1, start.row};
    QTest::newRow("down") << 40 << true << Cell{start.column, start.row + 1};
    QTest::newRow("enter") << 13 << false << start;
    QTest::newRow("space") << 32 << false << start;
    QTest::newRow("A") << 65 << false << start;
}

void GameSessionTest::onlyTheGameKeysAreTaken() {
    QFETCH(int, keyCode);
    QFETCH(bool, taken);
    QFETCH(Cell, catcher);

    Session run({QStringLiteral("Ein langer Satz zum Fangen.")});
    run.session.activate();
    run.session.clickField();
    QCOMPARE(run.session.keyPressed(keyCode), taken);
    QCOMPARE(run.session.engine().catcher(), catcher);
    QVERIFY(run.dialogs.boxes.isEmpty());
}

void GameSessionTest::finishedGameShowsResultAndList() {
    Session run;
    run.folder.write(ListFile, ">  30     60   Lea\r\n");
    run.session.activate();
    run.session.clickField();
    for (int second = 0; second < 57; ++second)
        run.session.tick();
    QSignalSpy scores(&run.session, &GameSession::scoresChanged);
    run.catchAll();

    QCOMPARE(scores.count(), 1);
    QVERIFY(run.session.scoresShown());
    QCOMPARE(run.session.scores(), (QStringList{"  24     57   Anna", "  30     60   Lea"}));
    QCOMPARE(run.dialogs.boxes.size(), 1);
    const ScriptedDialogs::Box& box = run.dialogs.last();
    QCOMPARE(box.prompt, QStringLiteral("Du hast die 24 Buchstaben\rin 57 Sekunden geschafft.\r"));
    QCOMPARE(box.title, QStringLiteral("Wortfange"));
    QCOMPARE(box.buttons, Buttons::Ok);
    QCOMPARE(box.icon, Icon::None);
    QCOMPARE(run.folder.read(ListFile),
             QByteArray(">  24     57   Anna\r\n>  30     60   Lea\r\n"));
}

void GameSessionTest::resultMessageNamesCharactersAndSeconds_data() {
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("24 in 57") << 24 << 57
                              << "Du hast die 24 Buchstaben\rin 57 Sekunden geschafft.\r";
    QTest::newRow("all seconds, not the four of the list")
        << 5 << 12345 << "Du hast die 5 Buchstaben\rin 12345 Sekunden geschafft.\r";
}

void GameSessionTest::resultMessageNamesCharactersAndSeconds() {
    QFETCH(int, characters);
    QFETCH(int, seconds);
    QFETCH(QString, prompt);
    QCOMPARE(GameSession::resultPrompt(characters, seconds), prompt);
}

void GameSessionTest::unsavedListIsReported() {
    Session run({QStringLiteral("Hallo")});
    QVERIFY(run.folder.dir().mkdir(ListFile));
    run.session.activate();
    run.session.clickField();
    run.catchAll();

    QVERIFY(run.session.scoresShown());
    QCOMPARE(run.session.scores(), QStringList{"   5      0   Anna"});
    QCOMPARE(run.dialogs.titles(), (QStringList{"Wortfange", "Wortfange"}));
    QCOMPARE(run.dialogs.last().prompt,
             QStringLiteral("Die Bestenliste konnte nicht gespeichert werden.\r"));
    QCOMPARE(run.dialogs.last().icon, Icon::Warning);
}

void GameSessionTest::exitQuestion_data() {
    QTest::addColumn<bool>("byEscape");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("Escape, No") << true << Answer::No;
    QTest::newRow("Escape, Yes") << true << Answer::Yes;
    QTest::newRow("ENDE, No") << false << Answer::No;
    QTest::newRow("ENDE, Yes") << false << Answer::Yes;
}

void GameSessionTest::exitQuestion() {
    QFETCH(bool, byEscape);
    QFETCH(Answer, answer);

    Session run({QStringLiteral("Weiter so.")});
    run.session.activate();
    run.session.clickField();
    QSignalSpy closed(&run.session, &GameSession::closed);
    run.dialogs.queueAnswer(answer);
    if (byEscape)
        run.press(GameSession::KeyEscape);
    else
        run.session.askExit();

    QCOMPARE(run.dialogs.boxes.size(), 1);
    const ScriptedDialogs::Box& box = run.dialogs.last();
    QCOMPARE(box.prompt, QStringLiteral("Dieses Spiel jetzt beenden?\r"));
    QCOMPARE(box.title, QStringLiteral("Wortfange"));
    QCOMPARE(box.buttons, Buttons::YesNo);
    QCOMPARE(box.icon, Icon::Question);
    QCOMPARE(box.defaultAnswer, Answer::No);
    QCOMPARE(closed.count(), answer == Answer::Yes ? 1 : 0);
    QCOMPARE(run.session.engine().isRunning(), answer == Answer::No);
}

void GameSessionTest::helpText() {
    Session run;
    run.session.showHelp();
    QCOMPARE(run.dialogs.boxes.size(), 1);
    const ScriptedDialogs::Box& box = run.dialogs.last();
    QCOMPARE(box.prompt, QStringLiteral("Du musst die Buchstaben eines Wortes der\r"
                                        "Reihe nach fangen. Bei mehreren gleichen\r"
                                        "Buchstaben weißt du aber nicht, welcher\r"
                                        "der Buchstaben zuerst gefangen werden\r"
                                        "muss. Da hilft nur eine schnelle Reaktion!\r"
                                        "Steuern musst du mit den vier Pfeiltasten.\r"));
    QCOMPARE(box.title, QStringLiteral("Wortfange: Hilfe"));
    QCOMPARE(box.buttons, Buttons::Ok);
    QCOMPARE(box.icon, Icon::None);
}

void GameSessionTest::closingStopsTheGameAndClearsTheList() {
    Session run({QStringLiteral("Eis")});
    run.session.activate();
    run.session.clickField();
    run.catchAll();
    QVERIFY(run.session.scoresShown());

    QSignalSpy closed(&run.session, &GameSession::closed);
    run.session.closeGame();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!run.session.scoresShown());
    QVERIFY(run.session.scores().isEmpty());

    // Closed in the middle of a game: the clock stops, the next opening waits for a click.
    run.session.activate();
    run.session.clickField();
    QVERIFY(run.session.engine().isRunning());
    run.session.closeGame();
    QVERIFY(!run.session.engine().isRunning());
    run.session.activate();
    QCOMPARE(run.session.engine().state(), GameEngine::State::Waiting);
    QCOMPARE(run.session.engine().seconds(), 0);
}

QTEST_GUILESS_MAIN(GameSessionTest)
#include "test_gamesession.moc"
