#include "exercises/exercisepanel.h"
#include "shell/infowindow.h"
#include "support/programdriver.h"

#include <QLabel>
#include <QSignalSpy>

using namespace tivoral;
using namespace tivoral::testing;

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUpInAnEmptyFolderShowsTheDefaultSentences();
    void fileListClickPreviewsDoubleClickLoadsAndCloses();
    void readingViewToggles();
    void textCaseSetsTheTitle_data();
    void textCaseSetsTheTitle();
    void fontsFollowTheSettings();
    void userPanelAndTextCaseFrameCloseEachOther();
    void choosingAUserUpdatesEveryNameLabel();
    void exitQuestion_data();
    void exitQuestion();
    void infoWindowOpensBesideAndCloses_data();
    void infoWindowOpensBesideAndCloses();
    void infoWindowPlacement_data();
    void infoWindowPlacement();
    void keysInAPanelNeverReachWhatItCovers_data();
    void keysInAPanelNeverReachWhatItCovers();
    void otherWindowsGiveTheMainWindowBack_data();
    void otherWindowsGiveTheMainWindowBack();
};

void MainWindowTest::startUpInAnEmptyFolderShowsTheDefaultSentences() {
    ProgramDriver program;
    QCOMPARE(program.main().windowTitle(), QStringLiteral("Tivoral:  Sätze in Großschrift"));
    QVERIFY(program.shown("sentenceFileView"));
    QCOMPARE(program.lines("sentenceFilePreview"), Defaults);
    QCOMPARE(program.text("loadedFileLabel"), QStringLiteral("TIVORAL.TXT"));
    QCOMPARE(program.text("loadedCountLabel"), QStringLiteral(" 5"));
    QCOMPARE(program.text("userNameLabel"), QStringLiteral("Benutzer"));
    QCOMPARE(program.find<QListWidget>("sentenceFileList")->currentItem()->text(),
             QStringLiteral("TIVORAL.TXT"));
    QCOMPARE(program.dialogs.titles(),
             (QStringList{QStringLiteral("Tivoral"), QStringLiteral("Dosensätze")}));
    QVERIFY(!program.shown("rewardButton"));
}

void MainWindowTest::fileListClickPreviewsDoubleClickLoadsAndCloses() {
    ProgramDriver program({{QStringLiteral("A.TXT"), "Eins.\r\nZwei.\r\n"},
                           {QStringLiteral("b.txt"), "Drei.\r\nVier.\r\nFünf.\r\n"},
                           {QStringLiteral("TIVORAL.INI"), Settings24},
                           {QStringLiteral("TIVORAL.INF"), "Anna\r\n"}});
    QListWidget* files = program.find<QListWidget>("sentenceFileList");
    QCOMPARE(files->count(), 2);

    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(1)).center());
    QCOMPARE(program.lines("sentenceFilePreview").size(), 3);
    QCOMPARE(program.text("loadedCountLabel"), QStringLiteral(" 3"));

    program.click("sentenceFilesButton");
    QVERIFY(!program.shown("sentenceFileView"));
    program.click("sentenceFilesButton");
    ProgramDriver::doubleClickRow(files, 0);
    QVERIFY(!program.shown("sentenceFileView"));
    QCOMPARE(program.text("loadedFileLabel"), QStringLiteral("A.TXT"));
    QCOMPARE(program.text("loadedCountLabel"), QStringLiteral(" 2"));
    QCOMPARE(program.app.store.entries(),
             (QStringList{QStringLiteral("Eins."), QStringLiteral("Zwei.")}));
}

void MainWindowTest::readingViewToggles() {
    ProgramDriver program;
    program.click("readingViewButton");
    QVERIFY(program.shown("readingView"));
    QCOMPARE(program.lines("readingView"), Defaults);
    program.click("readingViewButton");
    QVERIFY(program.lines("readingView").isEmpty());

    // Another view moves the reading view away but keeps its text; the next click refills it.
    program.click("readingViewButton");
    program.click("sentenceFilesButton");
    QVERIFY(!program.shown("readingView"));
    QCOMPARE(program.lines("readingView"), Defaults);
    program.app.store.setEntries({QStringLiteral("Neu.")});
    program.click("readingViewButton");
    QVERIFY(program.shown("readingView"));
    QCOMPARE(program.lines("readingView"), QStringList{QStringLiteral("Neu.")});
}

void MainWindowTest::textCaseSetsTheTitle_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("textCase");
    QTest::addColumn<QString>("words");
    QTest::newRow("Kleinschrift") << QStringLiteral("lowerCaseOption")
                                  << QStringLiteral("Tivoral:  Sätze in Kleinschrift")
                                  << int(TextCase::Lower)
                                  << QStringLiteral(
                                         "dem essen hausaufgaben. ich mache meine nach ");
    QTest::newRow("Normalschrift")
        << QStringLiteral("normalCaseOption") << QStringLiteral("Tivoral:  Sätze in Normalschrift")
        << int(TextCase::Normal) << QStringLiteral("dem Essen Hausaufgaben. ich mache meine Nach ");
    QTest::newRow("Großschrift") << QStringLiteral("upperCaseOption")
                                 << QStringLiteral("Tivoral:  Sätze in Großschrift")
                                 << int(TextCase::Upper)
                                 << QStringLiteral("DEM ESSEN HAUSAUFGABEN. ICH MACHE MEINE NACH ");
}

void MainWindowTest::textCaseSetsTheTitle() {
    QFETCH(QString, option);
    QFETCH(QString, title);
    QFETCH(int, textCase);
    QFETCH(QString, words);
    ProgramDriver program;
    if (option == QLatin1String("upperCaseOption"))
        program.app.textCase.set(TextCase::Normal);
    program.click("textCaseButton");
    program.click(option);
    QCOMPARE(program.main().windowTitle(), title);
    QCOMPARE(int(program.app.textCase.value()), textCase);
    QVERIFY(!program.shown("textCaseFrame"));
    // The next exercise shows its pieces in the chosen case.
    program.click("dosensatzStartButton");
    QCOMPARE(program.find<QLabel>("jumbledWordsDisplay")->text(), words);
}

void MainWindowTest::fontsFollowTheSettings() {
    ProgramDriver program;
    QVERIFY(program.find("jumbledWordsDisplay")->font().bold());
    QCOMPARE(program.find("jumbledWordsDisplay")->font().pointSize(), 24);
    program.app.settings.applyFonts(FontChoice{QStringLiteral("DejaVu Serif"), 16});
    for (const char* name : {"jumbledWordsDisplay", "dosensatzAnswerBox", "targetField"}) {
        const QFont font = program.find(name)->font();
        QCOMPARE(font.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(font.pointSize(), 16);
        QVERIFY2(font.bold(), name);
    }
    QCOMPARE(program.find("readingView")->font().pointSize(), 16);
    // The puzzle tiles keep their own font.
    QCOMPARE(program.find("puzzleTile1")->font().pointSize(), 18);
}

void MainWindowTest::userPanelAndTextCaseFrameCloseEachOther() {
    ProgramDriver program;
    program.click("userPanelButton");
    QVERIFY(program.shown("userPanel"));
    program.click("textCaseButton");
    QVERIFY(!program.shown("userPanel"));
    QVERIFY(program.shown("textCaseFrame"));
    program.click("userPanelButton");
    QVERIFY(!program.shown("textCaseFrame"));
    program.click("closeUserPanelButton");
    QVERIFY(!program.shown("userPanel"));
}

void MainWindowTest::choosingAUserUpdatesEveryNameLabel() {
    ProgramDriver program({{QStringLiteral("TIVORAL.INF"), "Anna\r\nBen\r\n"},
                           {QStringLiteral("TIVORAL.INI"), Settings24}});
    program.click("userPanelButton");
    ProgramDriver::doubleClickRow(program.find<QListWidget>("userList"), 1);
    QVERIFY(!program.shown("userPanel"));
    int labels = 0;
    for (const char* name : {"userNameLabel", "dosensatzUserDisplay", "puzzleUserDisplay",
                             "mosaicUserDisplay", "verrutscherUserDisplay"}) {
        if (QLabel* label = program.find<QLabel>(name)) {
            QCOMPARE(label->text(), QStringLiteral("Ben"));
            ++labels;
        }
    }
    QVERIFY(labels >= 2);
}

void MainWindowTest::exitQuestion_data() {
    QTest::addColumn<bool>("throughFrame");
    QTest::addColumn<bool>("yes");
    QTest::newRow("button, No") << false << false;
    QTest::newRow("window frame, Yes") << true << true;
}

void MainWindowTest::exitQuestion() {
    QFETCH(bool, throughFrame);
    QFETCH(bool, yes);
    ProgramDriver program;
    program.click("readingViewButton");
    program.dialogs.clear();
    QSignalSpy exit(&program.main(), &MainWindow::exitConfirmed);
    program.dialogs.queueAnswer(yes ? Answer::Yes : Answer::No);
    if (throughFrame)
        program.main().close();
    else
        program.click("quitButton");
    const ScriptedDialogs::Box& box = program.dialogs.last();
    QCOMPARE(box.prompt + box.title, QStringLiteral("Das Programm jetzt beenden?\rTivoral"));
    QCOMPARE(box.defaultAnswer, Answer::No);
    QCOMPARE(exit.count(), yes ? 1 : 0);
    QVERIFY(!program.shown("readingView"));
}

void MainWindowTest::infoWindowOpensBesideAndCloses_data() {
    QTest::addColumn<QString>("closer");
    QTest::newRow("picture") << QStringLiteral("logoButton");
    QTest::newRow("Abbruch label") << QStringLiteral("closeButton");
}

void MainWindowTest::infoWindowOpensBesideAndCloses() {
    QFETCH(QString, closer);
    ProgramDriver program;
    program.click("infoButton");
    QWidget* info = program.find("infoWindow");
    QVERIFY(info && info->isVisible() && info->isWindow());
    QVERIFY(program.main().isVisible());
    const QString credits = info->findChild<QLabel*>(QStringLiteral("creditsLabel"))->text();
    QVERIFY(credits.split(QStringLiteral("\r\n")).contains(QString(52, QLatin1Char('-'))));
    QTest::mouseClick(info->findChild<QAbstractButton*>(closer), Qt::LeftButton);
    QVERIFY(!info->isVisible());
    program.click("infoButton");
    QVERIFY(info->isVisible());
    QCOMPARE(program.main().findChildren<QWidget*>(QStringLiteral("infoWindow")).size(), 1);
}

void MainWindowTest::infoWindowPlacement_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("room on the right") << QRect(0, 0, 1920, 1080) << QPoint(957, 200);
    QTest::newRow("room only on the left") << QRect(-600, 0, 1500, 1080) << QPoint(-188, 200);
    QTest::newRow("no room: centred") << QRect(0, 0, 1024, 768) << QPoint(272, 174);
    QTest::newRow("kept on a short screen") << QRect(0, 0, 1920, 500) << QPoint(957, 80);
}

void MainWindowTest::infoWindowPlacement() {
    QFETCH(QRect, area);
    QFETCH(QPoint, place);
    QCOMPARE(InfoWindow::placeBeside(QRect(300, 200, 649, 541), QSize(480, 420), area), place);
}

void MainWindowTest::keysInAPanelNeverReachWhatItCovers_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("firstFocus");
    QTest::addColumn<QString>("abbrechen");
    // Key names separated by blanks; "Tab*12" is twelve Tabs.
    QTest::addColumn<QString>("keys");
    const auto row = [](const char* name, const char* button, const char* panel,
                        const char* firstFocus, const char* abbrechen, const char* keys) {
        QTest::newRow(name) << QString::fromLatin1(button) << QString::fromUtf8(panel)
                            << QString::fromLatin1(firstFocus) << QString::fromLatin1(abbrechen)
                            << QString::fromLatin1(keys);
    };
    // Tab*16 and Backtab*16 go round every panel more than once.
    row("Dosensatz", "dosensatzStartButton", "dosensatzPanel", "dosensatzAnswerBox",
        "dosensatzLeaveButton", "Tab Tab Tab Space Tab*16 Backtab*16 Return");
    row("Satzpuzzle", "puzzleStartButton", "puzzlePanel", "puzzleTile1", "puzzleLeaveButton",
        "Space Tab*16 Space Backtab*16 Return");
    row("Mosaiksatz", "mosaicStartButton", "mosaicPanel", "mosaicAnswerBox", "mosaicLeaveButton",
        "Tab*16 Backtab*16 Return");
    row("Verrutscher Satz", "verrutscherStartButton", "verrutscherPanel", "verrutscherAnswerBox",
        "verrutscherLeaveButton", "Tab*16 Backtab*16 Return");
}

void MainWindowTest::keysInAPanelNeverReachWhatItCovers() {
    QFETCH(QString, button);
    QFETCH(QString, panel);
    QFETCH(QString, firstFocus);
    QFETCH(QString, abbrechen);
    QFETCH(QString, keys);
    const QHash<QString, Qt::Key> keyNamed = {{QStringLiteral("Tab"), Qt::Key_Tab},
                                              {QStringLiteral("Backtab"), Qt::Key_Backtab},
                                              {QStringLiteral("Space"), Qt::Key_Space},
                                              {QStringLiteral("Return"), Qt::Key_Return}};
    ProgramDriver program;
    program.click(button);
    QWidget* shown = program.find(panel);
    QCOMPARE(program.focus(), program.find(firstFocus));

    for (const QString& step : keys.split(QLatin1Char(' '))) {
        const Qt::Key key = keyNamed.value(step.section(QLatin1Char('*'), 0, 0));
        const int times =
            step.contains(QLatin1Char('*')) ? step.section(QLatin1Char('*'), 1).toInt() : 1;
        for (int k = 0; k < times; ++k) {
            QWidget* focus = program.focus();
            QVERIFY2(focus && shown->isAncestorOf(focus),
                     qPrintable(step + QStringLiteral(" reached ") +
                                (focus ? focus->objectName() : QStringLiteral("nothing"))));
            QTest::keyClick(focus, key,
                            key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            QVERIFY2(shown->isVisible(), qPrintable(step));
            for (const ExercisePanel* other : program.main().findChildren<ExercisePanel*>())
                QVERIFY2(other == shown || !other->isVisible(), qPrintable(other->objectName()));
        }
    }
    QVERIFY(!program.dialogs.prompts().contains(QStringLiteral("Das Programm jetzt beenden?\r")));

    // Left through its own button, the panel gives the menu back.
    QTest::mouseClick(shown->findChild<QAbstractButton*>(abbrechen), Qt::LeftButton);
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
