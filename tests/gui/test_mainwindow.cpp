#include "exercises/exercisepanel.h"
#include "support/programdriver.h"

using namespace tivoral;
using namespace tivoral::testing;

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keysInAPanelNeverReachWhatItCovers_data();
    void keysInAPanelNeverReachWhatItCovers();
    void otherWindowsGiveTheMainWindowBack_data();
    void otherWindowsGiveTheMainWindowBack();
};

void MainWindowTest::keysInAPanelNeverReachWhatItCovers_data() {
    QTest::addColumn<QString>("panel"); // the prefix of the panel's controls
    QTest::addColumn<QString>("keys");  // t Tab, b Backtab, s Space, r Return
    // Sixteen Tabs and Backtabs go round every panel more than once.
    const QString round = QString(16, 't') + QString(16, 'b');
    QTest::newRow("Dosensatz") << QString("dosensatz") << "ttts" + round + 'r';
    QTest::newRow("Satzpuzzle") << QString("puzzle") << 's' + round + "sr";
    QTest::newRow("Mosaiksatz") << QString("mosaic") << round + 'r';
}

void MainWindowTest::keysInAPanelNeverReachWhatItCovers() {
    QFETCH(QString, panel);
    QFETCH(QString, keys);
    const QHash<QChar, Qt::Key> keyNamed = {
        {'t', Qt::Key_Tab}, {'b', Qt::Key_Backtab}, {'s', Qt::Key_Space}, {'r', Qt::Key_Return}};
    ProgramDriver program;
    program.click(panel + "StartButton");
    QWidget* shown = program.find(panel + "Panel");
    QCOMPARE(program.focus(),
             program.find(panel == "puzzle" ? QString("puzzleTile1") : panel + "AnswerBox"));

    for (const QChar step : keys) {
        QWidget* focus = program.focus();
        QVERIFY2(
            focus && shown->isAncestorOf(focus),
            qPrintable(QString(step) + " reached " + (focus ? focus->objectName() : "nothing")));
        QTest::keyClick(focus, keyNamed.value(step),
                        step == 'b' ? Qt::ShiftModifier : Qt::NoModifier);
        QVERIFY2(shown->isVisible(), qPrintable(QString(step)));
        for (const ExercisePanel* other : program.main().findChildren<ExercisePanel*>())
            QVERIFY2(other == shown || !other->isVisible(), qPrintable(other->objectName()));
    }
    QVERIFY(!program.dialogs.prompts().contains(QStringLiteral("Das Programm jetzt beenden?\r")));

    // Left through its own button, the panel gives the menu back.
    program.click(panel + "LeaveButton");
    QVERIFY(!shown->isVisible());
    QVERIFY(program.find("quitButton")->isEnabled());
    QVERIFY(program.find("puzzleStartButton")->isEnabled());
}

void MainWindowTest::otherWindowsGiveTheMainWindowBack_data() {
    QTest::addColumn<QStringList>("way");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("back");
    QTest::newRow("editor behind the teacher lock") << QStringList{"editorButton"} << "editorWindow"
                                                    << "closeEditorButton";
    QTest::newRow("settings behind the teacher lock")
        << QStringList{"settingsButton"} << "settingsWindow"
        << "closeSettingsButton";
    QTest::newRow("Wortfange through the reward button")
        << QStringList{"dosensatzStartButton", "dosensatzLeaveButton", "rewardButton"}
        << "gameWindow"
        << "closeLabel";
}

void MainWindowTest::otherWindowsGiveTheMainWindowBack() {
    QFETCH(QStringList, way);
    QFETCH(QString, window);
    QFETCH(QString, back);
    ProgramDriver program;
    program.app.points.set(Settings::DefaultPointLimit + 5);
    program.dialogs.queueInput(QString::number(Defaults.size()));
    for (const QString& step : way)
        program.click(step);
    QWidget* opened = program.find(window);
    QVERIFY(opened && opened->isVisible());
    QVERIFY(!program.main().isVisible());
    if (opened == program.program.gameWindow())
        program.playGame();
    QTest::mouseClick(opened->findChild<QWidget*>(back), Qt::LeftButton);
    QVERIFY(!opened->isVisible());
    QVERIFY(program.main().isVisible());
    QCOMPARE(program.text("dosensatzPointsDisplay"), QString::number(program.app.points.value()));
}

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
