#include "../game/gamesteering.h"
#include "game/gamewindow.h"
#include "platform/twips.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tivoral;
using tivoral::testing::ScriptedDialogs;

namespace {

const QString ListFile = QString::fromLatin1(HighScoreList::FileName);

// The game window on a store of one sentence, with 150 points, the limit 100 and user Anna.
struct Window {
    explicit Window(const QString& sentence) {
        app.store.setEntries({sentence});
        app.points.set(150);
        app.settings.setPointLimit(100);
        folder.write(QString::fromLatin1(Users::FileName), "Anna\r\n");
        app.users.load();
        app.users.selectUser(0);
        window.activate();
    }

    template <typename T = QWidget> T* find(const char* name) const {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return find<QLabel>(name)->text(); }
    const GameEngine& engine() const { return window.session().engine(); }
    void start() { QTest::mouseClick(find("playingField"), Qt::LeftButton); }
    void catchNext(QWidget* keyTarget) {
        const Cell first = engine().letters().constFirst();
        for (GameEngine::Move move : testing::route(engine().catcher(), first, first))
            QTest::keyClick(keyTarget, arrowKey(move));
    }
    static Qt::Key arrowKey(GameEngine::Move move) {
        switch (move) {
        case GameEngine::Move::Up:
            return Qt::Key_Up;
        case GameEngine::Move::Down:
            return Qt::Key_Down;
        case GameEngine::Move::Left:
            return Qt::Key_Left;
        case GameEngine::Move::Right:
            break;
        }
        return Qt::Key_Right;
    }

    testing::WorkFolder folder;
    ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    GameWindow window{app};
};

} // namespace

class GameWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aWholeGameFromClickToClose();
    void keysReachTheGameWhateverHasTheFocus();
    void messageBoxes_data();
    void messageBoxes();
    void closingThroughTheFrameStopsTheGame();
};

void GameWindowTest::aWholeGameFromClickToClose() {
    Window w(QStringLiteral("Oma"));
    QSignalSpy closed(&w.window, &GameWindow::closed);
    QWidget* catcher = w.find("catcher");
    auto* clock = w.find<QTimer>("gameClock");
    QCOMPARE(w.text("nextLetterDisplay") + w.text("toCatchDisplay"), QStringLiteral("Oma"));
    QVERIFY(!catcher->isVisible());
    QVERIFY(!clock->isActive());

    w.find<QScrollBar>("speedBar")->setValue(4);
    QCOMPARE(w.text("speedDisplay"), QStringLiteral("4"));
    w.start();
    QCOMPARE(w.app.points.value(), 50);
    QVERIFY(clock->isActive());
    QVERIFY(catcher->isVisible());
    QCOMPARE(w.window.focusWidget(), w.find("playingField"));

    w.catchNext(&w.window);
    QCOMPARE(catcher->pos(), QPoint(twips(w.engine().catcher().column * GameEngine::CellTwips),
                                    twips(w.engine().catcher().row * GameEngine::CellTwips)));
    QCOMPARE(w.text("caughtDisplay"), QStringLiteral("O"));
    QCOMPARE(w.text("nextLetterDisplay"), QStringLiteral("m"));
    QTRY_COMPARE_WITH_TIMEOUT(w.text("secondsDisplay"), QStringLiteral("1"), 2000);
    w.catchNext(&w.window);
    w.catchNext(&w.window);

    QVERIFY(!clock->isActive());
    QVERIFY(!catcher->isVisible());
    QWidget* panel = w.find("scorePanel");
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->x(), twips(120));
    auto* list = w.find<QListWidget>("highScoreList");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("   3      1   Anna"));
    QCOMPARE(w.dialogs.prompts(),
             QStringList{"Du hast die 3 Buchstaben\rin 1 Sekunden geschafft.\r"});
    QCOMPARE(w.folder.read(ListFile), QByteArray(">   3      1   Anna\r\n"));

    QTest::mouseClick(w.find("closeLabel"), Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!w.window.isVisible());
    QCOMPARE(list->count(), 0);
    QVERIFY(panel->x() >= w.window.width());
}

void GameWindowTest::keysReachTheGameWhateverHasTheFocus() {
    Window w(QStringLiteral("Hund und Katze"));
    w.start();
    for (const char* name : {"speedBar", "endGameButton", "helpButton"}) {
        QWidget* control = w.find(name);
        control->setFocus();
        const qsizetype left = w.engine().gameText().size();
        w.catchNext(control);
        QCOMPARE(w.engine().gameText().size(), left - 1);
    }
    QCOMPARE(w.find<QScrollBar>("speedBar")->value(), GameEngine::DefaultSpeed);
    QVERIFY(w.dialogs.boxes.isEmpty());
}

void GameWindowTest::messageBoxes_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<bool>("stillOpen");

    const QString exit = QStringLiteral("Dieses Spiel jetzt beenden?\r");
    QTest::newRow("ENDE, No: the game goes on")
        << "endGameButton" << Answer::No << exit << "Wortfange" << Icon::Question << true;
    QTest::newRow("Escape, Yes: the window closes")
        << "Escape" << Answer::Yes << exit << "Wortfange" << Icon::Question << false;
    QTest::newRow("HILFE")
        << "helpButton" << Answer::Ok
        << "Du musst die Buchstaben eines Wortes der\rReihe nach fangen. Bei mehreren gleichen\r"
           "Buchstaben weißt du aber nicht, welcher\rder Buchstaben zuerst gefangen werden\r"
           "muss. Da hilft nur eine schnelle Reaktion!\r"
           "Steuern musst du mit den vier Pfeiltasten.\r"
        << "Wortfange: Hilfe" << Icon::None << true;
}

void GameWindowTest::messageBoxes() {
    QFETCH(QString, action);
    QFETCH(Answer, answer);
    QFETCH(bool, stillOpen);

    Window w(QStringLiteral("Hund"));
    w.start();
    w.dialogs.queueAnswer(answer);
    bool clockRanWhileOpen = true;
    w.dialogs.whileOpen = [&] { clockRanWhileOpen = w.find<QTimer>("gameClock")->isActive(); };
    if (action == QLatin1String("Escape"))
        QTest::keyClick(&w.window, Qt::Key_Escape);
    else
        QTest::mouseClick(w.find(qPrintable(action)), Qt::LeftButton);

    QCOMPARE(w.dialogs.boxes.size(), 1);
    const ScriptedDialogs::Box& box = w.dialogs.last();
    QTEST(box.prompt, "prompt");
    QTEST(box.title, "title");
    QTEST(box.icon, "icon");
    QCOMPARE(box.buttons, answer == Answer::Ok ? Buttons::Ok : Buttons::YesNo);
    if (box.buttons == Buttons::YesNo)
        QCOMPARE(box.defaultAnswer, Answer::No);
    QVERIFY(!clockRanWhileOpen);
    QCOMPARE(w.window.isVisible(), stillOpen);
    QCOMPARE(w.find<QTimer>("gameClock")->isActive(), stillOpen);
    if (stillOpen)
        QCOMPARE(w.window.focusWidget(), w.find("playingField"));
}

void GameWindowTest::closingThroughTheFrameStopsTheGame() {
    Window w(QStringLiteral("Hund"));
    QVERIFY(w.folder.dir().mkdir(ListFile));
    QSignalSpy closed(&w.window, &GameWindow::closed);
    w.start();
    QVERIFY(w.window.close());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!w.find<QTimer>("gameClock")->isActive());

    // The next opening waits for a click; a list that cannot be saved is reported.
    w.window.activate();
    QCOMPARE(w.engine().state(), GameEngine::State::Waiting);
    w.start();
    while (!w.engine().gameText().isEmpty())
        w.catchNext(&w.window);
    QCOMPARE(w.find<QListWidget>("highScoreList")->count(), 1);
    QCOMPARE(w.dialogs.prompts().constLast(),
             QStringLiteral("Die Bestenliste konnte nicht gespeichert werden.\r"));
    QCOMPARE(w.dialogs.last().icon, Icon::Warning);
}

QTEST_MAIN(GameWindowTest)
#include "test_gamewindow.moc"
