#include "exercises/exercisepanel.h"
#include "support/programdriver.h"

#include <QPlainTextEdit>
#include <QScrollBar>

using namespace tivoral;
using namespace tivoral::testing;

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keysInAPanelNeverReachWhatItCovers_data();
    void keysInAPanelNeverReachWhatItCovers();
    void otherWindowsGiveTheMainWindowBack_data();
    void otherWindowsGiveTheMainWindowBack();
    void menuViewsActAndClose_data();
    void menuViewsActAndClose();
    void longListsGrowAsTheReaderScrolls_data();
    void longListsGrowAsTheReaderScrolls();
    void onlyAnOverlongWordBreaksAnywhere();
};

void MainWindowTest::keysInAPanelNeverReachWhatItCovers_data() {
    QTest::addColumn<QString>("panel"); // the prefix of the panel's controls
    QTest::addColumn<QString>("keys");  // t Tab, b Backtab, s Space, r Return, T B with Ctrl
    // Sixteen Tabs and Backtabs go round every panel more than once; an answer box keeps Tab.
    const QString round = QString(16, 't') + QString(16, 'b');
    const QString ctrlRound = QString(16, 'T') + QString(16, 'B');
    QTest::newRow("Dosensatz") << QString("dosensatz") << "ttts" + ctrlRound + 'r';
    QTest::newRow("Satzpuzzle") << QString("puzzle") << 's' + round + "sr";
    QTest::newRow("Mosaiksatz") << QString("mosaic") << round + ctrlRound + 'r';
}

void MainWindowTest::keysInAPanelNeverReachWhatItCovers() {
    QFETCH(QString, panel);
    QFETCH(QString, keys);
    const QHash<QChar, Qt::Key> keyNamed = {{'t', Qt::Key_Tab},   {'b', Qt::Key_Backtab},
                                            {'s', Qt::Key_Space}, {'r', Qt::Key_Return},
                                            {'T', Qt::Key_Tab},   {'B', Qt::Key_Backtab}};
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
        const Qt::KeyboardModifiers ctrl = step.isUpper() ? Qt::ControlModifier : Qt::NoModifier;
        QTest::keyClick(focus, keyNamed.value(step),
                        ctrl | (step.toLower() == 'b' ? Qt::ShiftModifier : Qt::NoModifier));
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
    const auto row = [](const char* name, const QStringList& way, const char* window,
                        const char* back) { QTest::newRow(name) << way << window << back; };
    row("editor behind the teacher lock", {"editorButton"}, "editorWindow", "closeEditorButton");
    row("settings behind the teacher lock", {"settingsButton"}, "settingsWindow",
        "closeSettingsButton");
    row("Wortfange through the reward button",
        {"dosensatzStartButton", "dosensatzLeaveButton", "rewardButton"}, "gameWindow",
        "closeLabel");
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

void MainWindowTest::menuViewsActAndClose_data() {
    QTest::addColumn<QStringList>("steps"); // "list*N" double-clicks row N, "list>N" presses Return
    QTest::addColumn<QString>("label");     // none: the window title
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const QStringList& steps, const char* label,
                        const QString& text) { QTest::newRow(name) << steps << label << text; };
    const char *loaded = "loadedFileLabel", *user = "userNameLabel";
    const QString title = "Tivoral:  Sätze in ";
    row("file loaded by double click", {"sentenceFileList*1"}, loaded, "ZWEITE.TXT");
    row("file view closed", {"sentenceFilesButton"}, loaded, "ERSTE.TXT");
    row("reading view closed", {"readingViewButton", "readingViewButton"}, loaded, "ERSTE.TXT");
    row("user chosen with Return", {"userPanelButton", "userList>1"}, user, "Ben");
    row("user added, chosen", {"userPanelButton", "newUserButton", "userList>2"}, user, "Carla");
    row("user panel cancelled", {"userPanelButton", "closeUserPanelButton"}, user, "Benutzer");
    row("text case chosen", {"textCaseButton", "lowerCaseOption"}, "", title + "Kleinschrift");
    row("text case frame closed", {"textCaseButton", "textCaseButton"}, "", title + "Großschrift");
}

void MainWindowTest::menuViewsActAndClose() {
    QFETCH(QStringList, steps);
    QFETCH(QString, label);
    QFETCH(QString, text);
    ProgramDriver program({{"ERSTE.TXT", "Der Hund bellt.\r\n"},
                           {"ZWEITE.TXT", "Die Katze.\r\n"},
                           {"TIVORAL.INF", "Anna\r\nBen\r\n"}});
    program.dialogs.queueInput("Carla");
    for (const QString& step : steps) {
        auto* list = program.find<QListWidget>(step.chopped(2));
        if (!list)
            program.click(step);
        else if (list->setCurrentRow(step.back().digitValue()); step.contains('>'))
            QTest::keyClick(list, Qt::Key_Return);
        else
            ProgramDriver::doubleClickRow(list, list->currentRow());
    }
    for (const char* view : {"sentenceFileView", "readingView", "userPanel", "textCaseFrame"})
        QVERIFY2(!program.shown(view), view);
    QCOMPARE(label.isEmpty() ? program.main().windowTitle() : program.text(label), text);
}

void MainWindowTest::longListsGrowAsTheReaderScrolls_data() {
    QTest::addColumn<QString>("button"); // opens the view; none for the start's file view
    QTest::addColumn<QString>("view");
    QTest::newRow("preview at the start") << "" << "sentenceFilePreview";
    QTest::newRow("reading view") << "readingViewButton" << "readingView";
}

// A long list is laid out a few screenfuls at a time, yet the reader who scrolls on reaches
// every sentence, in order.
void MainWindowTest::longListsGrowAsTheReaderScrolls() {
    QFETCH(QString, button);
    QFETCH(QString, view);
    constexpr int Sentences = 700;
    QStringList sentences;
    for (int k = 1; k <= Sentences; ++k)
        sentences << QStringLiteral("Satz Nummer %1.").arg(k);
    ProgramDriver program({{"LANG.TXT", sentences.join("\r\n").toLatin1() + "\r\n"}});
    if (!button.isEmpty())
        program.click(button);
    QVERIFY(program.lines(view).size() < Sentences);
    QScrollBar* bar = program.find<QPlainTextEdit>(view)->verticalScrollBar();
    for (int step = 0; step < Sentences && program.lines(view).size() < Sentences; ++step)
        bar->setValue(bar->maximum());
    QCOMPARE(program.lines(view), sentences);
}

// Wrapping between words costs the square of a word's length; only a word beyond 1000 letters
// makes the box break anywhere, wherever in the list it stands.
void MainWindowTest::onlyAnOverlongWordBreaksAnywhere() {
    for (const int letters : {1000, 1001}) {
        ProgramDriver program({{"LANG.TXT", "Kurz.\r\n" + QByteArray(letters, 'x') + "\r\n"}});
        const auto* preview = program.find<QPlainTextEdit>("sentenceFilePreview");
        QCOMPARE(preview->wordWrapMode() == QTextOption::WrapAnywhere, letters > 1000);
    }
}

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
