#include "exercises/exercisepanel.h"
#include "shell/infowindow.h"
#include "test_mainwindow_fixture.h"

#include <QLabel>
#include <QSignalSpy>

using namespace tivoral;
using namespace tivoral::testing;

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUpInAnEmptyFolderShowsTheDefaultSentences();
    void fileViewToggles();
    void fileListClickPreviewsDoubleClickLoadsAndCloses();
    void readingViewToggles();
    void textCaseSetsTheTitle_data();
    void textCaseSetsTheTitle();
    void fontsFollowTheSettings();
    void userPanelAndTextCaseFrameCloseEachOther();
    void choosingAUserUpdatesEveryNameLabel();
    void addingAUserWritesTheFile();
    void exitQuestion_data();
    void exitQuestion();
    void teacherLock_data();
    void teacherLock();
    void infoWindowOpensBesideAndCloses_data();
    void infoWindowOpensBesideAndCloses();
    void infoWindowPlacement_data();
    void infoWindowPlacement();
    void exerciseStartClosesTheViews_data();
    void exerciseStartClosesTheViews();
    void keysInAPanelNeverReachWhatItCovers_data();
    void keysInAPanelNeverReachWhatItCovers();
};

void MainWindowTest::startUpInAnEmptyFolderShowsTheDefaultSentences() {
    Program program;
    QCOMPARE(program.window.objectName(), QStringLiteral("mainWindow"));
    QCOMPARE(program.window.size(), QSize(645, 537));
    QCOMPARE(program.window.windowTitle(), QStringLiteral("Tivoral:  Sätze in Großschrift"));
    QVERIFY(program.isOpenAt("sentenceFileView", 1200));
    QCOMPARE(program.lines("sentenceFilePreview"), Defaults);
    QCOMPARE(program.find<QLabel>("loadedFileLabel")->text(), QStringLiteral("TIVORAL.TXT"));
    QCOMPARE(program.find<QLabel>("loadedCountLabel")->text(), QStringLiteral(" 5"));
    QCOMPARE(program.find<QLabel>("userNameLabel")->text(), QStringLiteral("Benutzer"));
    QListWidget* files = program.find<QListWidget>("sentenceFileList");
    QCOMPARE(files->count(), 1);
    QCOMPARE(files->currentItem()->text(), QStringLiteral("TIVORAL.TXT"));
    QCOMPARE(program.dialogs.titles(),
             (QStringList{QStringLiteral("Tivoral"), QStringLiteral("Dosensätze")}));
    QVERIFY(program.isParked("readingView"));
    QVERIFY(!program.find("userPanel")->isVisible());
    QVERIFY(!program.find("textCaseFrame")->isVisible());
    QVERIFY(!program.find("rewardButton")->isVisible());
    QVERIFY(!program.find("dosensatzPanel")->isVisible());
}

void MainWindowTest::fileViewToggles() {
    Program program;
    program.click("sentenceFilesButton");
    QVERIFY(program.isParked("sentenceFileView"));
    QVERIFY(program.lines("sentenceFilePreview").isEmpty());
    program.click("sentenceFilesButton");
    QVERIFY(program.isOpenAt("sentenceFileView", 1200));
    QCOMPARE(program.lines("sentenceFilePreview"), Defaults);
    QCOMPARE(program.find<QLabel>("sentenceFileHint")->text(),
             QStringLiteral(" Zum Laden das Datei-Icon anklicken oder einen Doppelklick auf "
                            "Dateinamen ausführen ..."));
}

void MainWindowTest::fileListClickPreviewsDoubleClickLoadsAndCloses() {
    Program program({{QStringLiteral("A.TXT"), "Eins.\r\nZwei.\r\n"},
                     {QStringLiteral("b.txt"), "Drei.\r\nVier.\r\nFünf.\r\n"},
                     {QStringLiteral("TIVORAL.INI"), Settings24},
                     {QStringLiteral("TIVORAL.INF"), "Anna\r\n"}});
    QVERIFY(program.dialogs.boxes.isEmpty());
    QCOMPARE(program.lines("sentenceFilePreview"),
             (QStringList{QStringLiteral("Eins."), QStringLiteral("Zwei.")}));
    QListWidget* files = program.find<QListWidget>("sentenceFileList");
    QCOMPARE(files->count(), 2);

    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(1)).center());
    QCOMPARE(program.lines("sentenceFilePreview").size(), 3);
    QCOMPARE(program.find<QLabel>("loadedCountLabel")->text(), QStringLiteral(" 3"));

    program.click("sentenceFilesButton");
    program.click("sentenceFilesButton");
    doubleClickRow(files, 0);
    QVERIFY(program.isParked("sentenceFileView"));
    QCOMPARE(program.find<QLabel>("loadedFileLabel")->text(), QStringLiteral("A.TXT"));
    QCOMPARE(program.find<QLabel>("loadedCountLabel")->text(), QStringLiteral(" 2"));
    QCOMPARE(program.app.store.entries(),
             (QStringList{QStringLiteral("Eins."), QStringLiteral("Zwei.")}));
}

void MainWindowTest::readingViewToggles() {
    Program program;
    program.click("readingViewButton");
    QVERIFY(program.isOpenAt("readingView", 240));
    QVERIFY(program.isParked("sentenceFileView"));
    QCOMPARE(program.lines("readingView"), Defaults);
    program.click("readingViewButton");
    QVERIFY(program.isParked("readingView"));
    QVERIFY(program.lines("readingView").isEmpty());

    // Another view moves the reading view away but keeps its text; the next click refills it.
    program.click("readingViewButton");
    program.click("sentenceFilesButton");
    QVERIFY(program.isParked("readingView"));
    QCOMPARE(program.lines("readingView"), Defaults);
    program.app.store.setEntries({QStringLiteral("Neu.")});
    program.click("readingViewButton");
    QVERIFY(program.isOpenAt("readingView", 240));
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
    Program program;
    if (option == QLatin1String("upperCaseOption"))
        program.app.textCase.set(TextCase::Normal);
    program.click("textCaseButton");
    QVERIFY(program.find("textCaseFrame")->isVisible());
    QVERIFY(program.isParked("sentenceFileView"));
    program.click(option.toLatin1().constData());
    QCOMPARE(program.window.windowTitle(), title);
    QCOMPARE(int(program.app.textCase.value()), textCase);
    QVERIFY(!program.find("textCaseFrame")->isVisible());
    QVERIFY(program.find<QAbstractButton>(option.toLatin1().constData())->isChecked());
    // The next exercise shows its pieces in the chosen case.
    program.click("dosensatzStartButton");
    QCOMPARE(program.find<QLabel>("jumbledWordsDisplay")->text(), words);
}

void MainWindowTest::fontsFollowTheSettings() {
    Program program;
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
    Program program;
    program.click("userPanelButton");
    QVERIFY(program.find("userPanel")->isVisible());
    program.click("textCaseButton");
    QVERIFY(!program.find("userPanel")->isVisible());
    QVERIFY(program.find("textCaseFrame")->isVisible());
    program.click("userPanelButton");
    QVERIFY(!program.find("textCaseFrame")->isVisible());
    QVERIFY(program.find("userPanel")->isVisible());
    program.click("closeUserPanelButton");
    QVERIFY(!program.find("userPanel")->isVisible());
}

void MainWindowTest::choosingAUserUpdatesEveryNameLabel() {
    Program program({{QStringLiteral("TIVORAL.INF"), "Anna\r\nBen\r\n"},
                     {QStringLiteral("TIVORAL.INI"), Settings24}});
    program.click("userPanelButton");
    doubleClickRow(program.find<QListWidget>("userList"), 1);
    QVERIFY(!program.find("userPanel")->isVisible());
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

void MainWindowTest::addingAUserWritesTheFile() {
    Program program(
        {{QStringLiteral("TIVORAL.INF"), "Anna\r\n"}, {QStringLiteral("TIVORAL.INI"), Settings24}});
    program.click("userPanelButton");
    program.dialogs.queueInput(QStringLiteral("Carla"));
    program.click("newUserButton");
    QListWidget* names = program.find<QListWidget>("userList");
    QCOMPARE(names->count(), 2);
    QCOMPARE(names->item(1)->text(), QStringLiteral("Carla"));
    QCOMPARE(program.folder.read(QStringLiteral("TIVORAL.INF")), QByteArray("Anna\r\nCarla\r\n"));
    QVERIFY(program.find("userPanel")->isVisible());
    QCOMPARE(program.find<QLabel>("userNameLabel")->text(), QStringLiteral("Benutzer"));
}

void MainWindowTest::exitQuestion_data() {
    QTest::addColumn<bool>("throughFrame");
    QTest::addColumn<bool>("yes");
    QTest::newRow("button, No") << false << false;
    QTest::newRow("button, Yes") << false << true;
    QTest::newRow("window frame, No") << true << false;
    QTest::newRow("window frame, Yes") << true << true;
}

void MainWindowTest::exitQuestion() {
    QFETCH(bool, throughFrame);
    QFETCH(bool, yes);
    Program program;
    program.click("readingViewButton");
    program.dialogs.clear();
    QSignalSpy exit(&program.window, &MainWindow::exitConfirmed);
    program.dialogs.queueAnswer(yes ? Answer::Yes : Answer::No);
    if (throughFrame)
        program.window.close();
    else
        program.click("quitButton");
    const ScriptedDialogs::Box& box = program.dialogs.last();
    QCOMPARE(box.prompt, QStringLiteral("Das Programm jetzt beenden?\r"));
    QCOMPARE(box.title, QStringLiteral("Tivoral"));
    QCOMPARE(box.buttons, Buttons::YesNo);
    QCOMPARE(box.icon, Icon::Question);
    QCOMPARE(box.defaultAnswer, Answer::No);
    QCOMPARE(exit.count(), yes ? 1 : 0);
    QVERIFY(program.isParked("readingView"));
    if (!yes)
        QVERIFY(program.window.isVisible());
}

void MainWindowTest::teacherLock_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("opens");
    QTest::newRow("editor, sentence count")
        << QStringLiteral("editorButton") << QStringLiteral("5") << true;
    QTest::newRow("settings, sentence count")
        << QStringLiteral("settingsButton") << QStringLiteral("5") << true;
    QTest::newRow("settings, trailing blank")
        << QStringLiteral("settingsButton") << QStringLiteral("5 ") << false;
    QTest::newRow("editor, cancelled") << QStringLiteral("editorButton") << QString() << false;
}

void MainWindowTest::teacherLock() {
    QFETCH(QString, button);
    QFETCH(QString, answer);
    QFETCH(bool, opens);
    Program program;
    program.click("readingViewButton");
    QSignalSpy editor(&program.window, &MainWindow::editorRequested);
    QSignalSpy settings(&program.window, &MainWindow::settingsRequested);
    program.dialogs.queueInput(answer);
    program.click(button.toLatin1().constData());
    QVERIFY(program.dialogs.last().isInput);
    QCOMPARE(program.dialogs.last().prompt, QStringLiteral("Passwort eingeben:"));
    QVERIFY(program.isParked("readingView"));
    const bool isEditor = button == QLatin1String("editorButton");
    QCOMPARE(editor.count(), opens && isEditor ? 1 : 0);
    QCOMPARE(settings.count(), opens && !isEditor ? 1 : 0);
}

void MainWindowTest::infoWindowOpensBesideAndCloses_data() {
    QTest::addColumn<QString>("closer");
    QTest::newRow("picture") << QStringLiteral("logoButton");
    QTest::newRow("Abbruch label") << QStringLiteral("closeButton");
}

void MainWindowTest::infoWindowOpensBesideAndCloses() {
    QFETCH(QString, closer);
    Program program;
    program.click("infoButton");
    QWidget* info = program.find("infoWindow");
    QVERIFY(info);
    QVERIFY(info->isVisible());
    QVERIFY(info->isWindow());
    QCOMPARE(info->windowTitle(), QStringLiteral("Tivoral"));
    QVERIFY(program.window.isVisible());
    const QString credits = info->findChild<QLabel*>(QStringLiteral("creditsLabel"))->text();
    QVERIFY(credits.split(QStringLiteral("\r\n")).contains(QString(52, QLatin1Char('-'))));
    QVERIFY(credits.contains(QStringLiteral("Tivoral-Entwicklerteam")));
    QVERIFY(!info->findChild<QLabel*>(QStringLiteral("noticeLabel"))->text().isEmpty());
    QTest::mouseClick(info->findChild<QAbstractButton*>(closer), Qt::LeftButton);
    QVERIFY(!info->isVisible());
    program.click("infoButton");
    QVERIFY(info->isVisible());
    QCOMPARE(program.window.findChildren<QWidget*>(QStringLiteral("infoWindow")).size(), 1);
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

void MainWindowTest::exerciseStartClosesTheViews_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<bool>("readingTextKept");
    QTest::newRow("Dosensatz") << QStringLiteral("dosensatzStartButton")
                               << QStringLiteral("dosensatzPanel") << true;
    QTest::newRow("Satzpuzzle") << QStringLiteral("puzzleStartButton")
                                << QStringLiteral("puzzlePanel") << true;
    QTest::newRow("Mosaiksatz") << QStringLiteral("mosaicStartButton")
                                << QStringLiteral("mosaicPanel") << false;
    QTest::newRow("Verrutscher Satz")
        << QStringLiteral("verrutscherStartButton") << QStringLiteral("verrutscherPanel") << false;
}

void MainWindowTest::exerciseStartClosesTheViews() {
    QFETCH(QString, button);
    QFETCH(QString, panel);
    QFETCH(bool, readingTextKept);
    Program program;
    program.click("readingViewButton");
    program.click(button.toLatin1().constData());
    QVERIFY(program.isParked("readingView"));
    QVERIFY(program.isParked("sentenceFileView"));
    QCOMPARE(program.lines("readingView"), readingTextKept ? Defaults : QStringList());
    QWidget* shown = program.window.findChild<QWidget*>(panel);
    QVERIFY(shown);
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->pos(), QPoint(0, 0));
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
    Program program;
    program.click(button.toLatin1().constData());
    QWidget* shown = program.window.findChild<QWidget*>(panel);
    QCOMPARE(program.window.focusWidget(), program.window.findChild<QWidget*>(firstFocus));

    for (const QString& step : keys.split(QLatin1Char(' '))) {
        const Qt::Key key = keyNamed.value(step.section(QLatin1Char('*'), 0, 0));
        const int times =
            step.contains(QLatin1Char('*')) ? step.section(QLatin1Char('*'), 1).toInt() : 1;
        for (int k = 0; k < times; ++k) {
            QWidget* focus = program.window.focusWidget();
            QVERIFY2(focus && shown->isAncestorOf(focus),
                     qPrintable(step + QStringLiteral(" reached ") +
                                (focus ? focus->objectName() : QStringLiteral("nothing"))));
            QTest::keyClick(focus, key,
                            key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            QVERIFY2(shown->isVisible(), qPrintable(step));
            for (const ExercisePanel* other : program.window.findChildren<ExercisePanel*>())
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

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
