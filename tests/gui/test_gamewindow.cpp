#include "support/programdriver.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tivoral;
using tivoral::testing::ProgramDriver;

namespace {

// The game window on a store of one sentence, with 150 points, the limit 100 and user Anna.
struct Window : testing::Fixture {
    explicit Window(const QString& sentence)
        : Fixture({{QString::fromLatin1(Users::FileName), "Anna\r\n"}}) {
        app.store.setEntries({sentence});
        app.points.set(150);
        app.settings.setPointLimit(100);
        app.users.load();
        app.users.selectUser(0);
        window.activate();
    }
    template <typename T = QWidget> T* find(const char* name) const {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    GameWindow window{app};
};

} // namespace

class GameWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aGameFromClickToItsEnd_data();
    void aGameFromClickToItsEnd();
};

void GameWindowTest::aGameFromClickToItsEnd_data() {
    QTest::addColumn<QString>("ending"); // a control clicked, a key, or "caught": all letters
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("stillOpen");
    const QString exit = QStringLiteral("Dieses Spiel jetzt beenden?\r");
    const QString result = QStringLiteral("Du hast die 3 Buchstaben\rin 1 Sekunden geschafft.\r");
    QTest::newRow("every letter caught, keys sent to a button")
        << "caught" << Answer::Ok << result << true;
    QTest::newRow("caught, a folder in the list's place")
        << "caught, list a folder" << Answer::Ok
        << result + "Die Bestenliste konnte nicht gespeichert werden.\r" << true;
    QTest::newRow("HILFE: the game goes on")
        << "helpButton" << Answer::Ok << GameSession::helpPrompt() << true;
    QTest::newRow("ENDE, No: the game goes on") << "endGameButton" << Answer::No << exit << true;
    QTest::newRow("Escape, Yes: the window closes") << "Escape" << Answer::Yes << exit << false;
    QTest::newRow("window frame") << "frame" << Answer::Yes << "" << false;
}

void GameWindowTest::aGameFromClickToItsEnd() {
    QFETCH(QString, ending);
    QFETCH(Answer, answer);
    QFETCH(bool, stillOpen);
    Window w(QStringLiteral("Oma"));
    const QString listFile = QString::fromLatin1(HighScoreList::FileName);
    QVERIFY(!ending.endsWith("folder") || w.folder.dir().mkdir(listFile));
    QSignalSpy closed(&w.window, &GameWindow::closed);
    auto* clock = w.find<QTimer>("gameClock");
    QTest::mouseClick(w.find("playingField"), Qt::LeftButton);
    QCOMPARE(w.app.points.value(), 50);
    QVERIFY(clock->isActive());
    w.dialogs.queueAnswer(answer);
    bool clockRanWhileOpen = false;
    w.dialogs.whileOpen = [&] { clockRanWhileOpen = clock->isActive(); };

    if (ending.startsWith("caught")) {
        const GameEngine& engine = w.window.session().engine();
        ProgramDriver::catchNext(engine, w.find("helpButton"));
        QTRY_COMPARE_WITH_TIMEOUT(w.find<QLabel>("secondsDisplay")->text(), "1", 2000);
        ProgramDriver::catchNext(engine, w.find("speedBar"));
        ProgramDriver::catchNext(engine, &w.window);
        QCOMPARE(w.find<QScrollBar>("speedBar")->value(), GameEngine::DefaultSpeed);
        QCOMPARE(w.folder.read(listFile),
                 ending.endsWith("folder") ? QByteArray() : QByteArray(">   3      1   Anna\r\n"));
    } else if (ending == "Escape") {
        QTest::keyClick(&w.window, Qt::Key_Escape);
    } else if (ending == "frame") {
        QVERIFY(w.window.close());
    } else {
        QTest::mouseClick(w.find(qPrintable(ending)), Qt::LeftButton);
    }
    QTEST(w.dialogs.prompts().join(QString()), "prompt");
    QVERIFY(!clockRanWhileOpen);
    QCOMPARE(w.window.isVisible(), stillOpen);
    QCOMPARE(closed.count(), stillOpen ? 0 : 1);
    QCOMPARE(clock->isActive(), stillOpen && !ending.startsWith("caught"));
    if (stillOpen)
        return;
    w.window.activate(); // the next opening waits for a click
    QCOMPARE(w.window.session().engine().state(), GameEngine::State::Waiting);
}

QTEST_MAIN(GameWindowTest)
#include "test_gamewindow.moc"
