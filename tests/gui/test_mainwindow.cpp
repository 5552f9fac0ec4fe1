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
    void infoWindowOpensBesideAndCloses_data();
    void infoWindowOpensBesideAndCloses();
    void infoWindowPlacement_data();
    void infoWindowPlacement();
    void keysInAPanelNeverReachWhatItCovers_data();
    void keysInAPanelNeverReachWhatItCovers();
};

void MainWindowTest::startUpInAnEmptyFolderShowsTheDefaultSentences() {
    ProgramDriver program;
    QCOMPARE(program.main().objectName(), QStringLiteral("Form1"));
    QCOMPARE(program.main().windowTitle(), QStringLiteral("Tivoral:  Sätze in Großschrift"));
    QVERIFY(program.shown("dateipic"));
    QCOMPARE(program.lines("Text2"), Defaults);
    QCOMPARE(program.text("Label8"), QStringLiteral("TIVORAL.TXT"));
    QCOMPARE(program.text("Label10"), QStringLiteral(" 5"));
    QCOMPARE(program.text("Label3"), QStringLiteral("Benutzer"));
    QListWidget* files = program.find<QListWidget>("File1");
    QCOMPARE(files->count(), 1);
    QCOMPARE(files->currentItem()->text(), QStringLiteral("TIVORAL.TXT"));
    QCOMPARE(program.dialogs.titles(),
             (QStringList{QStringLiteral("Tivoral"), QStringLiteral("Dosensätze")}));
    QVERIFY(!program.shown("Text4"));
    QVERIFY(!program.shown("Picture11"));
    QVERIFY(!program.shown("Frame1"));
    QVERIFY(!program.shown("Command3"));
    QVERIFY(!program.shown("Picture3"));
}

void MainWindowTest::fileViewToggles() {
    ProgramDriver program;
    program.click("Picture7");
    QVERIFY(!program.shown("dateipic"));
    QVERIFY(program.lines("Text2").isEmpty());
    program.click("Picture7");
    QVERIFY(program.shown("dateipic"));
    QCOMPARE(program.lines("Text2"), Defaults);
    QCOMPARE(program.find<QLabel>("Label5")->text(),
             QStringLiteral(" Zum Laden das Datei-Icon anklicken oder einen Doppelklick auf "
                            "Dateinamen ausführen ..."));
}

void MainWindowTest::fileListClickPreviewsDoubleClickLoadsAndCloses() {
    ProgramDriver program({{QStringLiteral("A.TXT"), "Eins.\r\nZwei.\r\n"},
                           {QStringLiteral("b.txt"), "Drei.\r\nVier.\r\nFünf.\r\n"},
                           {QStringLiteral("TIVORAL.INI"), Settings24},
                           {QStringLiteral("TIVORAL.INF"), "Anna\r\n"}});
    QVERIFY(program.dialogs.boxes.isEmpty());
    QCOMPARE(program.lines("Text2"),
             (QStringList{QStringLiteral("Eins."), QStringLiteral("Zwei.")}));
    QListWidget* files = program.find<QListWidget>("File1");
    QCOMPARE(files->count(), 2);

    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(1)).center());
    QCOMPARE(program.lines("Text2").size(), 3);
    QCOMPARE(program.text("Label10"), QStringLiteral(" 3"));

    program.click("Picture7");
    program.click("Picture7");
    ProgramDriver::doubleClickRow(files, 0);
    QVERIFY(!program.shown("dateipic"));
    QCOMPARE(program.text("Label8"), QStringLiteral("A.TXT"));
    QCOMPARE(program.text("Label10"), QStringLiteral(" 2"));
    QCOMPARE(program.app.store.entries(),
             (QStringList{QStringLiteral("Eins."), QStringLiteral("Zwei.")}));
}

void MainWindowTest::readingViewToggles() {
    ProgramDriver program;
    program.click("Picture25");
    QVERIFY(program.shown("Text4"));
    QVERIFY(!program.shown("dateipic"));
    QCOMPARE(program.lines("Text4"), Defaults);
    program.click("Picture25");
    QVERIFY(!program.shown("Text4"));
    QVERIFY(program.lines("Text4").isEmpty());

    // Another view moves the reading view away but keeps its text; the next click refills it.
    program.click("Picture25");
    program.click("Picture7");
    QVERIFY(!program.shown("Text4"));
    QCOMPARE(program.lines("Text4"), Defaults);
    program.app.store.setEntries({QStringLiteral("Neu.")});
    program.click("Picture25");
    QVERIFY(program.shown("Text4"));
    QCOMPARE(program.lines("Text4"), QStringList{QStringLiteral("Neu.")});
}

void MainWindowTest::textCaseSetsTheTitle_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("textCase");
    QTest::addColumn<QString>("words");
    QTest::newRow("Kleinschrift") << QStringLiteral("Option2")
                                  << QStringLiteral("Tivoral:  Sätze in Kleinschrift")
                                  << int(TextCase::Lower)
                                  << QStringLiteral(
                                         "dem essen hausaufgaben. ich mache meine nach ");
    QTest::newRow("Normalschrift")
        << QStringLiteral("Option3") << QStringLiteral("Tivoral:  Sätze in Normalschrift")
        << int(TextCase::Normal) << QStringLiteral("dem Essen Hausaufgaben. ich mache meine Nach ");
    QTest::newRow("Großschrift") << QStringLiteral("Option1")
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
    if (option == QLatin1String("Option1"))
        program.app.textCase.set(TextCase::Normal);
    program.click("Picture4");
    QVERIFY(program.shown("Frame1"));
    QVERIFY(!program.shown("dateipic"));
    program.click(option);
    QCOMPARE(program.main().windowTitle(), title);
    QCOMPARE(int(program.app.textCase.value()), textCase);
    QVERIFY(!program.shown("Frame1"));
    QVERIFY(program.find<QAbstractButton>(option)->isChecked());
    // The next exercise shows its pieces in the chosen case.
    program.click("Picture5");
    QCOMPARE(program.find<QLabel>("Label1")->text(), words);
}

void MainWindowTest::fontsFollowTheSettings() {
    ProgramDriver program;
    QVERIFY(program.find("Label1")->font().bold());
    QCOMPARE(program.find("Label1")->font().pointSize(), 24);
    program.app.settings.applyFonts(FontChoice{QStringLiteral("DejaVu Serif"), 16});
    for (const char* name : {"Label1", "Text1", "ziel"}) {
        const QFont font = program.find(name)->font();
        QCOMPARE(font.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(font.pointSize(), 16);
        QVERIFY2(font.bold(), name);
    }
    QCOMPARE(program.find("Text4")->font().pointSize(), 16);
    // The puzzle tiles keep their own font.
    QCOMPARE(program.find("puzzle1")->font().pointSize(), 18);
}

void MainWindowTest::userPanelAndTextCaseFrameCloseEachOther() {
    ProgramDriver program;
    program.click("Picture6");
    QVERIFY(program.shown("Picture11"));
    program.click("Picture4");
    QVERIFY(!program.shown("Picture11"));
    QVERIFY(program.shown("Frame1"));
    program.click("Picture6");
    QVERIFY(!program.shown("Frame1"));
    QVERIFY(program.shown("Picture11"));
    program.click("Command1");
    QVERIFY(!program.shown("Picture11"));
}

void MainWindowTest::choosingAUserUpdatesEveryNameLabel() {
    ProgramDriver program({{QStringLiteral("TIVORAL.INF"), "Anna\r\nBen\r\n"},
                           {QStringLiteral("TIVORAL.INI"), Settings24}});
    program.click("Picture6");
    ProgramDriver::doubleClickRow(program.find<QListWidget>("List1"), 1);
    QVERIFY(!program.shown("Picture11"));
    int labels = 0;
    for (const char* name : {"Label3", "Label6", "Label11", "Label14", "Label17"}) {
        if (QLabel* label = program.find<QLabel>(name)) {
            QCOMPARE(label->text(), QStringLiteral("Ben"));
            ++labels;
        }
    }
    QVERIFY(labels >= 2);
}

void MainWindowTest::addingAUserWritesTheFile() {
    ProgramDriver program(
        {{QStringLiteral("TIVORAL.INF"), "Anna\r\n"}, {QStringLiteral("TIVORAL.INI"), Settings24}});
    program.click("Picture6");
    program.dialogs.queueInput(QStringLiteral("Carla"));
    program.click("Command2");
    QListWidget* names = program.find<QListWidget>("List1");
    QCOMPARE(names->count(), 2);
    QCOMPARE(names->item(1)->text(), QStringLiteral("Carla"));
    QCOMPARE(program.folder.read(QStringLiteral("TIVORAL.INF")), QByteArray("Anna\r\nCarla\r\n"));
    QVERIFY(program.shown("Picture11"));
    QCOMPARE(program.text("Label3"), QStringLiteral("Benutzer"));
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
    program.click("Picture25");
    program.dialogs.clear();
    QSignalSpy exit(&program.main(), &MainWindow::exitConfirmed);
    program.dialogs.queueAnswer(yes ? Answer::Yes : Answer::No);
    if (throughFrame)
        program.main().close();
    else
        program.click("Picture1");
    const ScriptedDialogs::Box& box = program.dialogs.last();
    QCOMPARE(box.prompt, QStringLiteral("Das Programm jetzt beenden?\r"));
    QCOMPARE(box.title, QStringLiteral("Tivoral"));
    QCOMPARE(box.buttons, Buttons::YesNo);
    QCOMPARE(box.icon, Icon::Question);
    QCOMPARE(box.defaultAnswer, Answer::No);
    QCOMPARE(exit.count(), yes ? 1 : 0);
    QVERIFY(!program.shown("Text4"));
    if (!yes)
        QVERIFY(program.main().isVisible());
}

void MainWindowTest::infoWindowOpensBesideAndCloses_data() {
    QTest::addColumn<QString>("closer");
    QTest::newRow("picture") << QStringLiteral("Bild1");
    QTest::newRow("Abbruch label") << QStringLiteral("Bezeichnung1");
}

void MainWindowTest::infoWindowOpensBesideAndCloses() {
    QFETCH(QString, closer);
    ProgramDriver program;
    program.click("Picture9");
    QWidget* info = program.find("TIVLABEL");
    QVERIFY(info);
    QVERIFY(info->isVisible());
    QVERIFY(info->isWindow());
    QCOMPARE(info->windowTitle(), QStringLiteral("Tivoral"));
    QVERIFY(program.main().isVisible());
    const QString credits = info->findChild<QLabel*>(QStringLiteral("Bezeichnung7"))->text();
    QVERIFY(credits.split(QStringLiteral("\r\n")).contains(QString(52, QLatin1Char('-'))));
    QVERIFY(credits.contains(QStringLiteral("Tivoral-Entwicklerteam")));
    QVERIFY(!info->findChild<QLabel*>(QStringLiteral("Bezeichnung6"))->text().isEmpty());
    QTest::mouseClick(info->findChild<QAbstractButton*>(closer), Qt::LeftButton);
    QVERIFY(!info->isVisible());
    program.click("Picture9");
    QVERIFY(info->isVisible());
    QCOMPARE(program.main().findChildren<QWidget*>(QStringLiteral("TIVLABEL")).size(), 1);
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
    row("Dosensatz", "Picture5", "Picture3", "Text1", "Picture12",
        "Tab Tab Tab Space Tab*16 Backtab*16 Return");
    row("Satzpuzzle", "Picture18", "puzzle", "puzzle1", "Picture17",
        "Space Tab*16 Space Backtab*16 Return");
    row("Mosaiksatz", "Picture32", "mosaik", "Text3", "Picture26", "Tab*16 Backtab*16 Return");
    row("Verrutscher Satz", "Picture33", "lücken", "Text5", "Picture39",
        "Tab*16 Backtab*16 Return");
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
    QVERIFY(program.find("Picture1")->isEnabled());
    QVERIFY(program.find("Picture18")->isEnabled());
}

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
