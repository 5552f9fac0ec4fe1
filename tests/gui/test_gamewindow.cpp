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

Qt::Key keyFor(GameEngine::Move move) {
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

// The game window on a store of one sentence, with 150 points and the limit 100.
struct Window {
    explicit Window(const QString& sentence) {
        app.store.setEntries({sentence});
        app.points.set(150);
        app.settings.setPointLimit(100);
        folder.write(QString::fromLatin1(Users::FileName), "Anna\r\n");
        app.users.load();
        app.users.selectUser(0);
    }

    template <typename T> T* find(const char* name) const {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    const GameEngine& engine() const { return window.session().engine(); }
    void catchAll(QWidget* keyTarget) {
        while (!engine().gameText().isEmpty()) {
            const Cell first = engine().letters().constFirst();
            for (GameEngine::Move move : testing::route(engine().catcher(), first, first))
                QTest::keyClick(keyTarget, keyFor(move));
        }
    }

    testing::WorkFolder folder;
    ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    GameWindow window{app};
};

QRect cellRect(Cell cell, int width, int height) {
    return QRect(twips(cell.column * GameEngine::CellTwips),
                 twips(cell.row * GameEngine::CellTwips), twips(width), twips(height));
}

} // namespace

class GameWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowHasItsSizeAndControls();
    void aWholeGameFromClickToClose();
    void keysReachTheGameWhateverHasTheFocus();
    void speedBarSetsTheSpeed();
    void escapeAsksBeforeClosing_data();
    void escapeAsksBeforeClosing();
    void closingThroughTheFrameStopsTheGame();
};

void GameWindowTest::windowHasItsSizeAndControls() {
    Window w(QStringLiteral("Oma"));
    QCOMPARE(w.window.objectName(), QStringLiteral("fang"));
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tivoral: Wortfange"));
    QCOMPARE(w.window.size(), QSize(twips(7350), twips(6030)));
    for (const char* name :
         {"Befehl1", "Befehl2", "Bezeichnung1", "Bezeichnung2", "Bezeichnung3", "Bezeichnung4",
          "Bezeichnung5", "Bezeichnung6", "Bezeichnung7", "Bezeichnung8", "Bezeichnung9",
          "Bezeichnung10", "Bezeichnung11", "HBildlauf1", "Bild5", "Bild1", "Liste1"})
        QVERIFY2(w.find<QWidget>(name), name);
    QVERIFY(w.find<QTimer>("Zeit1"));
    // Every control lies inside the window, the parked result panel aside.
    for (QWidget* child : w.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->objectName() != QLatin1String("Bild1"))
            QVERIFY2(w.window.rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
}

void GameWindowTest::aWholeGameFromClickToClose() {
    Window w(QStringLiteral("Oma"));
    QSignalSpy closed(&w.window, &GameWindow::closed);
    w.window.activate();
    QVERIFY(w.window.isVisible());

    auto* field = w.find<QWidget>("Bild5");
    auto* catcher = w.find<QLabel>("Bezeichnung8");
    auto* clock = w.find<QTimer>("Zeit1");
    auto* panel = w.find<QWidget>("Bild1");
    QCOMPARE(w.find<QLabel>("Bezeichnung3")->text(), QStringLiteral("O"));
    QCOMPARE(w.find<QLabel>("Bezeichnung5")->text(), QStringLiteral("ma"));
    QCOMPARE(w.find<QLabel>("Bezeichnung6")->text(), QStringLiteral("0"));
    QVERIFY(!catcher->isVisible());
    QVERIFY(!clock->isActive());
    QVERIFY(!panel->isVisible());

    QTest::mouseClick(field, Qt::LeftButton);
    QCOMPARE(w.app.points.value(), 50);
    QVERIFY(clock->isActive());
    QCOMPARE(clock->interval(), 1000);
    QVERIFY(catcher->isVisible());
    QCOMPARE(catcher->geometry(), cellRect(GameEngine::CatcherStart, 255, 375));
    QCOMPARE(w.window.focusWidget(), field);

    const Cell first = w.engine().letters().constFirst();
    for (GameEngine::Move move : testing::route(w.engine().catcher(), first, first))
        QTest::keyClick(&w.window, keyFor(move));
    QCOMPARE(catcher->geometry(), cellRect(first, 255, 375));
    QCOMPARE(w.find<QLabel>("Bezeichnung4")->text(), QStringLiteral("O"));
    QCOMPARE(w.find<QLabel>("Bezeichnung3")->text(), QStringLiteral("m"));
    QCOMPARE(w.find<QLabel>("Bezeichnung5")->text(), QStringLiteral("a"));

    w.catchAll(&w.window);
    QVERIFY(!clock->isActive());
    QVERIFY(!catcher->isVisible());
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->x(), twips(120));
    auto* list = w.find<QListWidget>("Liste1");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("   3      0   Anna"));
    QCOMPARE(w.dialogs.prompts(),
             QStringList{QStringLiteral("Du hast die 3 Buchstaben\rin 0 Sekunden geschafft.\r")});
    QCOMPARE(w.folder.read(QString::fromLatin1(HighScoreList::FileName)),
             QByteArray(">   3      0   Anna\r\n"));

    QTest::mouseClick(w.find<QLabel>("Bezeichnung11"), Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!w.window.isVisible());
    QCOMPARE(list->count(), 0);
    QVERIFY(panel->x() >= w.window.width());
    QCOMPARE(w.app.points.value(), 50);
}

void GameWindowTest::keysReachTheGameWhateverHasTheFocus() {
    Window w(QStringLiteral("Hund"));
    w.window.activate();
    QTest::mouseClick(w.find<QWidget>("Bild5"), Qt::LeftButton);
    auto* speedBar = w.find<QScrollBar>("HBildlauf1");
    for (const char* name : {"HBildlauf1", "Befehl1", "Befehl2"}) {
        QWidget* control = w.find<QWidget>(name);
        const Cell before = w.engine().catcher();
        QTest::keyClick(control, Qt::Key_Up);
        QCOMPARE(w.engine().catcher(), (Cell{before.column, before.row - 1}));
        QTest::keyClick(control, Qt::Key_Left);
        QCOMPARE(w.engine().catcher(), (Cell{before.column - 1, before.row - 1}));
        QTest::keyClick(control, Qt::Key_Down);
        QTest::keyClick(control, Qt::Key_Right);
        QCOMPARE(w.engine().catcher(), before);
    }
    QCOMPARE(speedBar->value(), GameEngine::DefaultSpeed);
    QVERIFY(w.dialogs.boxes.isEmpty());
}

void GameWindowTest::speedBarSetsTheSpeed() {
    Window w(QStringLiteral("Hund"));
    w.window.activate();
    auto* speedBar = w.find<QScrollBar>("HBildlauf1");
    QCOMPARE(speedBar->minimum(), GameEngine::MinSpeed);
    QCOMPARE(speedBar->maximum(), GameEngine::MaxSpeed);
    QCOMPARE(w.find<QLabel>("Bezeichnung9")->text(), QStringLiteral("10"));

    speedBar->setFocus();
    speedBar->setValue(4);
    QCOMPARE(w.engine().speed(), 4);
    QCOMPARE(w.find<QLabel>("Bezeichnung9")->text(), QStringLiteral("4"));
    QCOMPARE(w.window.focusWidget(), w.find<QWidget>("Bild5"));
}

void GameWindowTest::escapeAsksBeforeClosing_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("stillOpen");
    QTest::newRow("No: the game goes on") << Answer::No << true;
    QTest::newRow("Yes: the window closes") << Answer::Yes << false;
}

void GameWindowTest::escapeAsksBeforeClosing() {
    QFETCH(Answer, answer);
    QFETCH(bool, stillOpen);

    Window w(QStringLiteral("Hund"));
    QSignalSpy closed(&w.window, &GameWindow::closed);
    w.window.activate();
    QTest::mouseClick(w.find<QWidget>("Bild5"), Qt::LeftButton);
    w.dialogs.queueAnswer(answer);
    QTest::keyClick(&w.window, Qt::Key_Escape);

    QCOMPARE(w.dialogs.titles(), QStringList{QStringLiteral("Wortfange")});
    QCOMPARE(w.window.isVisible(), stillOpen);
    QCOMPARE(w.find<QTimer>("Zeit1")->isActive(), stillOpen);
    QCOMPARE(closed.count(), stillOpen ? 0 : 1);
}

void GameWindowTest::closingThroughTheFrameStopsTheGame() {
    Window w(QStringLiteral("Hund"));
    QSignalSpy closed(&w.window, &GameWindow::closed);
    w.window.activate();
    QTest::mouseClick(w.find<QWidget>("Bild5"), Qt::LeftButton);
    QVERIFY(w.window.close());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!w.find<QTimer>("Zeit1")->isActive());
    QVERIFY(!w.find<QWidget>("Bezeichnung8")->isVisible());

    // The next opening waits for a click with a new sentence.
    w.window.activate();
    QVERIFY(w.window.isVisible());
    QCOMPARE(w.engine().state(), GameEngine::State::Waiting);
    QCOMPARE(w.find<QLabel>("Bezeichnung6")->text(), QStringLiteral("0"));
}

QTEST_MAIN(GameWindowTest)
#include "test_gamewindow.moc"
