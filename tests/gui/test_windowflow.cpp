// The way between the windows: the teacher lock to the editor and the settings window, the
// reward button to Wortfange, and back to the main window each time.
#include "runningprogram.h"
#include "support/workfolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

// Three sentences, a point limit of 10 and one user.
struct Run {
    Run() { running.program.start(); }
    static bool lay(const WorkFolder& folder) {
        folder.write(QStringLiteral("SAETZE.TXT"),
                     "Oma kocht.\r\nOpa liest.\r\nDas Kind lacht.\r\n");
        folder.write(QStringLiteral("TIVORAL.INI"), "Verdana\r\n24\r\n10\r\n");
        folder.write(QStringLiteral("TIVORAL.INF"), "Anna\r\n");
        return true;
    }
    QWidget& main() { return running.program.mainWindow(); }

    WorkFolder folder;
    bool filesLaid = lay(folder); // before the program reads them
    RunningProgram running{folder.dir()};
};

} // namespace

class WindowFlowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void teacherLockOpensOnlyForTheSentenceCount_data();
    void teacherLockOpensOnlyForTheSentenceCount();
    void editorChangesAreWhatTheNextExerciseUses();
    void editorWorksheetButtonReachesTheWorksheets();
    void rewardGameFromButtonToResultAndBack();
};

void WindowFlowTest::teacherLockOpensOnlyForTheSentenceCount_data() {
    QTest::addColumn<QString>("lockButton");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("backButton");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("opens");
    const auto row = [](const char* name, bool editor, const char* answer, bool opens) {
        QTest::newRow(name) << QString::fromLatin1(editor ? "editorButton" : "settingsButton")
                            << QString::fromLatin1(editor ? "editorWindow" : "settingsWindow")
                            << QString::fromLatin1(editor ? "closeEditorButton"
                                                          : "closeSettingsButton")
                            << QString::fromLatin1(answer) << opens;
    };
    row("editor, right answer", true, "3", true);
    row("editor, blank before the number", true, " 3", false);
    row("settings, right answer", false, "3", true);
    row("settings, wrong answer", false, "4", false);
}

void WindowFlowTest::teacherLockOpensOnlyForTheSentenceCount() {
    QFETCH(QString, lockButton);
    QFETCH(QString, window);
    QFETCH(QString, backButton);
    QFETCH(QString, answer);
    QFETCH(bool, opens);
    Run run;
    run.running.dialogs.queueInput(answer);
    run.running.click(lockButton);

    QWidget* teacherWindow = run.running.find(window);
    QCOMPARE(run.running.dialogs.last().prompt, QStringLiteral("Passwort eingeben:"));
    QCOMPARE(run.main().isVisible(), !opens);
    QCOMPARE(teacherWindow != nullptr && teacherWindow->isVisible(), opens);
    if (!opens)
        return;
    QTest::mouseClick(teacherWindow->findChild<QWidget*>(backButton), Qt::LeftButton);
    QVERIFY(!teacherWindow->isVisible());
    QVERIFY(run.main().isVisible());
}

void WindowFlowTest::editorChangesAreWhatTheNextExerciseUses() {
    Run run;
    run.running.dialogs.queueInput(QStringLiteral("3"));
    run.running.click(QStringLiteral("editorButton"));
    EditorWindow* editor = run.running.program.editorWindow();
    QVERIFY(editor);
    run.running.app.store.setSelected(0);
    editor->findChild<QLineEdit*>(QStringLiteral("sentenceInput"))
        ->setText(QStringLiteral("Der Hase hoppelt."));
    QTest::mouseClick(editor->findChild<QWidget*>(QStringLiteral("replaceButton")), Qt::LeftButton);
    run.running.dialogs.queueAnswer(Answer::No); // leave without saving the edit
    QTest::mouseClick(editor->findChild<QWidget*>(QStringLiteral("closeEditorButton")),
                      Qt::LeftButton);

    run.running.click(QStringLiteral("dosensatzStartButton"));
    QCOMPARE(run.running.program.mainWindow().frame().target(),
             QStringLiteral("Der Hase hoppelt."));
}

void WindowFlowTest::editorWorksheetButtonReachesTheWorksheets() {
    Run run;
    run.running.dialogs.queueInput(QStringLiteral("3"));
    run.running.click(QStringLiteral("editorButton"));
    // An empty list, so that no printer of the machine running the tests gets a page.
    run.running.app.store.setEntries({});
    run.running.click(QStringLiteral("worksheetsButton"));
    QCOMPARE(run.running.dialogs.last().prompt,
             QStringLiteral("Die Liste ist leer, es gibt kein Arbeitsblatt zu machen.\r"));
    QCOMPARE(run.running.dialogs.last().title, QStringLiteral("Arbeitsblätter"));
}

void WindowFlowTest::rewardGameFromButtonToResultAndBack() {
    Run run;
    RunningProgram& running = run.running;
    running.app.users.selectUser(0);
    running.app.points.set(25);
    running.click(QStringLiteral("dosensatzStartButton"));
    running.click(QStringLiteral("dosensatzLeaveButton"));
    QWidget* reward = running.find(QStringLiteral("rewardButton"));
    QVERIFY(reward->isVisible());

    QTest::mouseClick(reward, Qt::LeftButton);
    GameWindow* game = running.program.gameWindow();
    QVERIFY(game && game->isVisible());
    QVERIFY(!run.main().isVisible());
    QVERIFY(!reward->isVisible());

    running.playGame();
    QCOMPARE(running.app.points.value(), 15); // the limit of 10 is charged at the start
    auto* list = running.find<QListWidget>(QStringLiteral("highScoreList"));
    QCOMPARE(list->count(), 1);
    QVERIFY(list->item(0)->text().endsWith(QStringLiteral("   Anna")));
    QVERIFY(run.folder.read(QStringLiteral("BESTDOSE.LST")).startsWith('>'));

    QTest::mouseClick(running.find(QStringLiteral("closeLabel")), Qt::LeftButton);
    QVERIFY(!game->isVisible());
    QVERIFY(run.main().isVisible());
    QCOMPARE(running.find<QLabel>(QStringLiteral("dosensatzPointsDisplay"))->text(),
             QStringLiteral("15"));
}

QTEST_MAIN(WindowFlowTest)
#include "test_windowflow.moc"
