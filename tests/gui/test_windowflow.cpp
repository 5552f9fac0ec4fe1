// The way between the windows: the teacher lock to the editor and the settings window, the
// reward button to Wortfange, and back to the main window each time.
#include "../game/gamesteering.h"
#include "editor/editorwindow.h"
#include "game/gamewindow.h"
#include "shell/mainwindow.h"
#include "shell/settingswindow.h"
#include "shell/tivoralapp.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace tivoral;
using tivoral::testing::ScriptedDialogs;

namespace {

const QString Sentences = QStringLiteral("Oma kocht.\r\nOpa liest.\r\nDas Kind lacht.\r\n");

struct Run {
    Run() { program.start(); }
    static bool lay(const testing::WorkFolder& folder) {
        folder.write(QStringLiteral("SAETZE.TXT"), Sentences.toLatin1());
        folder.write(QStringLiteral("TIVORAL.INI"), "Verdana\r\n24\r\n10\r\n");
        folder.write(QStringLiteral("TIVORAL.INF"), "Anna\r\n");
        return true;
    }
    template <typename T = QWidget> static T* in(QWidget* window, const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    static void click(QWidget* window, const char* name) {
        auto* button = in<QAbstractButton>(window, name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    MainWindow& main() { return program.mainWindow(); }

    testing::WorkFolder folder;
    bool filesLaid = lay(folder);
    ScriptedDialogs dialogs;
    testing::SequenceRandom random{{0.0}};
    AppState app{folder.dir(), dialogs, random};
    TivoralApp program{app};
};

Qt::Key arrowKey(GameEngine::Move move) {
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

} // namespace

class WindowFlowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void teacherLockOpensOnlyForTheSentenceCount_data();
    void teacherLockOpensOnlyForTheSentenceCount();
    void editorChangesAreWhatTheNextExerciseUses();
    void rewardGameFromButtonToResultAndBack();
};

void WindowFlowTest::teacherLockOpensOnlyForTheSentenceCount_data() {
    QTest::addColumn<QByteArray>("lockButton");
    QTest::addColumn<QByteArray>("backButton");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("opens");
    QTest::newRow("editor, right answer") << QByteArray("Picture8") << QByteArray("Picture7")
                                          << QStringLiteral("3") << true;
    QTest::newRow("editor, blank before the number")
        << QByteArray("Picture8") << QByteArray("Picture7") << QStringLiteral(" 3") << false;
    QTest::newRow("settings, right answer") << QByteArray("Picture10") << QByteArray("Picture1")
                                            << QStringLiteral("3") << true;
    QTest::newRow("settings, wrong answer") << QByteArray("Picture10") << QByteArray("Picture1")
                                            << QStringLiteral("4") << false;
}

void WindowFlowTest::teacherLockOpensOnlyForTheSentenceCount() {
    QFETCH(QByteArray, lockButton);
    QFETCH(QByteArray, backButton);
    QFETCH(QString, answer);
    QFETCH(bool, opens);
    Run run;
    run.dialogs.queueInput(answer);
    Run::click(&run.main(), lockButton.constData());

    QWidget* teacherWindow = lockButton == "Picture8"
                                 ? static_cast<QWidget*>(run.program.editorWindow())
                                 : static_cast<QWidget*>(run.program.settingsWindow());
    QCOMPARE(run.dialogs.last().prompt, QStringLiteral("Passwort eingeben:"));
    QCOMPARE(run.main().isVisible(), !opens);
    QCOMPARE(teacherWindow != nullptr && teacherWindow->isVisible(), opens);
    if (!opens)
        return;
    Run::click(teacherWindow, backButton.constData());
    QVERIFY(!teacherWindow->isVisible());
    QVERIFY(run.main().isVisible());
}

void WindowFlowTest::editorChangesAreWhatTheNextExerciseUses() {
    Run run;
    run.dialogs.queueInput(QStringLiteral("3"));
    Run::click(&run.main(), "Picture8");
    EditorWindow* editor = run.program.editorWindow();
    QVERIFY(editor);
    run.app.store.setSelected(0);
    auto* input = Run::in<QLineEdit>(editor, "Text1");
    input->setText(QStringLiteral("Der Hase hoppelt."));
    Run::click(editor, "Picture2"); // replace the marked first line
    Run::click(editor, "Picture7");

    Run::click(&run.main(), "Picture5");
    QCOMPARE(run.main().frame().target(), QStringLiteral("Der Hase hoppelt."));
}

void WindowFlowTest::rewardGameFromButtonToResultAndBack() {
    Run run;
    run.app.users.selectUser(0);
    run.app.points.set(25);
    Run::click(&run.main(), "Picture5");
    Run::click(&run.main(), "Picture12");
    auto* reward = Run::in<QAbstractButton>(&run.main(), "Command3");
    QVERIFY(reward->isVisible());

    QTest::mouseClick(reward, Qt::LeftButton);
    GameWindow* game = run.program.gameWindow();
    QVERIFY(game && game->isVisible());
    QVERIFY(!run.main().isVisible());
    QVERIFY(!reward->isVisible());

    QTest::mouseClick(Run::in(game, "Bild5"), Qt::LeftButton);
    QCOMPARE(run.app.points.value(), 15); // the limit of 10 is charged at the start
    const GameEngine& engine = game->session().engine();
    const int characters = int(engine.gameText().size());
    for (int guard = 0; guard < characters && !engine.gameText().isEmpty(); ++guard) {
        const Cell next = engine.letters().constFirst();
        for (GameEngine::Move move : testing::route(engine.catcher(), next, next))
            QTest::keyClick(game, arrowKey(move));
    }
    QVERIFY(engine.gameText().isEmpty());
    auto* list = Run::in<QListWidget>(game, "Liste1");
    QCOMPARE(list->count(), 1);
    QVERIFY(list->item(0)->text().endsWith(QStringLiteral("   Anna")));
    QVERIFY(run.folder.read(QStringLiteral("BESTDOSE.LST")).startsWith('>'));

    QTest::mouseClick(Run::in(game, "Bezeichnung11"), Qt::LeftButton);
    QVERIFY(!game->isVisible());
    QVERIFY(run.main().isVisible());
    QCOMPARE(Run::in<QLabel>(&run.main(), "Label7")->text(), QStringLiteral("15"));
}

QTEST_MAIN(WindowFlowTest)
#include "test_windowflow.moc"
