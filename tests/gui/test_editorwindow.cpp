#include "editor/editorwindow.h"
#include "editor/listrules.h"
#include "editor/samplelistdialog.h"
#include "editor/samplelists.h"
#include "editor/spellinglineedit.h"
#include "support/programdriver.h"

#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace tivoral;

namespace {

const QStringList Four{"Eins.", "Zwei.", "Drei.", "Vier."};
const QString Pasted = "Fünf.\r\nzwei.\r\n" + QString(16001, 'x') + "\r\n";

struct Editor : testing::Fixture {
    std::unique_ptr<EditorWindow> window;

    Editor() : Fixture(testing::Files{{"tiere.txt", "Der Hund bellt.\r\n"}}) {
        app.store.setEntries(Four);
        app.store.markAsSaved(); // as a load leaves it
        app.fileStatus.setLoaded(4, "/s/A.TXT", "A.TXT");
        window = std::make_unique<EditorWindow>(app);
        window->activate();
    }
    void click(const char* name) const {
        QTest::mouseClick(window->findChild<QToolButton*>(name), Qt::LeftButton);
    }
    void doubleClickRow(int row) const {
        auto* list = window->findChild<QListView*>("sentenceList");
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
};

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsActOnTheMarkedLine_data();
    void controlsActOnTheMarkedLine();
    void unsavedEditsAskBeforeGoingOn_data();
    void unsavedEditsAskBeforeGoingOn();
    void spellCheckFlagsAndSuggests();
};

void EditorWindowTest::controlsActOnTheMarkedLine_data() {
    QTest::addColumn<QString>("control"); // a button's name, or a way to use the list of lines
    QTest::addColumn<int>("marked");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("entries"); // empty: the list is emptied first
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<QString>("input"); // the input line afterwards
    const auto row = [](const char* name, const QString& control, int marked, const QString& typed,
                        const QStringList& entries, const QStringList& prompts,
                        const QString& input) {
        QTest::newRow(name) << control << marked << typed << entries << prompts << input;
    };
    row("paste refuses an over-long line", "pasteButton", 1, "", Four + QStringList{"Fünf."},
        {listrules::tooLongText() + "\r1 zu lange Zeile aus der Ablage wurde nicht übernommen.\r"},
        "");
    row("copy", "copyButton", 1, "", Four, {"Die Liste wurde kopiert.\r"}, "");
    row("double click fetches", "double", 2, "", Four, {}, "Drei.");
    row("Delete key asks", "delete", 1, "", {"Eins.", "Drei.", "Vier."},
        {"Zwei.\r", "Die Zeile 2 wurde gelöscht!\r"}, "");
    row("replace", "replaceButton", 1, "Neu.", {"Eins.", "Neu.", "Drei.", "Vier."}, {}, "Neu.");
    row("add without text", "addSentenceButton", -1, "", Four, {"Es wurde kein Text eingegeben!\r"},
        "");
    row("save", "saveListButton", -1, "", Four, {"Die Sätze wurden gespeichert!\r"}, "");
    row("print an empty list", "printListButton", -1, "", {},
        {"Die Liste ist leer, es gibt nichts zu drucken.\r"}, "");
}

void EditorWindowTest::controlsActOnTheMarkedLine() {
    QFETCH(QString, control);
    QFETCH(int, marked);
    QFETCH(QString, typed);
    QFETCH(QStringList, entries);
    Editor f;
    QGuiApplication::clipboard()->setText(Pasted);
    f.dialogs.queueAnswer(Answer::Yes);
    f.dialogs.queueInput("neu.txt");
    f.app.store.setSelected(marked);
    QTest::keyClicks(f.window->findChild<QLineEdit*>("sentenceInput"), typed);
    if (entries.isEmpty())
        f.app.store.setEntries({});
    if (control == "double")
        f.doubleClickRow(marked);
    else if (control == "delete")
        QTest::keyClick(f.window->findChild<QListView*>("sentenceList"), Qt::Key_Delete);
    else
        f.click(qPrintable(control));
    QCOMPARE(f.app.store.entries(), entries);
    QTEST(f.dialogs.prompts(), "prompts");
    QTEST(f.window->findChild<QLineEdit*>("sentenceInput")->text(), "input");
    QCOMPARE(QGuiApplication::clipboard()->text(),
             control == "copyButton" ? Four.join("\r\n") + "\r\n" : Pasted);
}

void EditorWindowTest::unsavedEditsAskBeforeGoingOn_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("saveName"); // typed into the save's name box; empty = cancelled
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("leave, Ja saves first") << "leave" << Answer::Yes << "neu.txt" << true;
    QTest::newRow("leave, Ja but name box cancelled") << "leave" << Answer::Yes << "" << false;
    QTest::newRow("window frame, Nein") << "frame" << Answer::No << "" << true;
    QTest::newRow("window frame, Abbrechen") << "frame" << Answer::Cancel << "" << false;
    QTest::newRow("load file, Ja saves first") << "load" << Answer::Yes << "neu.txt" << true;
    QTest::newRow("sample list, Abbrechen") << "sample" << Answer::Cancel << "" << false;
    QTest::newRow("sample list, Ja saves first") << "sample" << Answer::Yes << "neu.txt" << true;
}

void EditorWindowTest::unsavedEditsAskBeforeGoingOn() {
    QFETCH(QString, way);
    QFETCH(Answer, answer);
    QFETCH(QString, saveName);
    QFETCH(bool, goesOn);
    Editor f;
    QSignalSpy returned(f.window.get(), &EditorWindow::returnedToMainWindow);
    QTest::keyClicks(f.window->findChild<QLineEdit*>("sentenceInput"), "Der Hase hoppelt.");
    f.click("addSentenceButton");
    const QStringList edited = f.app.store.entries();
    f.dialogs.queueAnswer(answer);
    f.dialogs.queueInput(saveName);

    const QStringList sample = SampleLists::sentences("SZ.TXT");
    f.click("fileListButton");
    QVERIFY(!f.window->findChild<QListWidget*>("fileList")
                 ->geometry()
                 .intersects(f.window->findChild<QLabel*>("sentenceCountLabel")->geometry()));
    if (way == "leave") {
        f.click("closeEditorButton");
    } else if (way == "frame") {
        f.window->close();
    } else if (way == "load") {
        testing::ProgramDriver::doubleClickRow(f.window->findChild<QListWidget*>("fileList"), 0);
    } else {
        f.click("sampleListsButton");
        auto* choice = f.window->findChild<QListWidget*>("sampleListChoice");
        const int row = int(SampleLists::names().indexOf("SZ.TXT"));
        QVERIFY(choice->item(row)->text().contains(sample.first()));
        testing::ProgramDriver::doubleClickRow(choice, row);
        QVERIFY(!f.window->findChild<SampleListDialog*>()->isVisible());
        // The loaded list must not lie under the file list; it is new, with no file yet.
        QCOMPARE(f.window->findChild<QListWidget*>("fileList")->isVisible(), !goesOn);
        QCOMPARE(f.window->findChild<QLabel*>("fileLabel")->toolTip() == "Beispielliste SZ.TXT",
                 goesOn);
    }
    const testing::ScriptedDialogs::Box question = f.dialogs.boxes.constFirst();
    QCOMPARE(question.prompt + '|' + question.title, "Die Änderungen speichern?|Satzeditor");
    QCOMPARE(question.buttons, Buttons::YesNoCancel);
    QCOMPARE(QFile::exists(f.folder.path("NEU.TXT")), goesOn && answer == Answer::Yes);
    const bool loaded = goesOn && way != "leave" && way != "frame";
    // "Nein" throws the edits away: the list is again as last loaded.
    const QStringList kept = goesOn && answer == Answer::No ? Four : edited;
    QCOMPARE(f.app.store.entries(),
             loaded ? (way == "load" ? QStringList{"Der Hund bellt."} : sample) : kept);
    auto* fileLabel = f.window->findChild<QLabel*>("fileLabel");
    QCOMPARE(fileLabel->toolTip().endsWith("NEU.TXT"), way == "leave" && goesOn);
    QCOMPARE(returned.size(), goesOn && !loaded ? 1 : 0);
    QCOMPARE(f.window->isVisible(), !goesOn || loaded);

    // Once saved or declined, only a further change asks again; a sample list is not saved yet.
    f.dialogs.clear();
    f.window->activate();
    f.dialogs.queueAnswer(Answer::No);
    f.click("closeEditorButton");
    QCOMPARE(f.dialogs.prompts(),
             goesOn && way != "sample" ? QStringList() : QStringList{question.prompt});
    if (way == "sample" && goesOn) { // back past the sample list to the list just saved
        QCOMPARE(f.app.store.entries(), edited);
        QVERIFY(fileLabel->toolTip().endsWith("NEU.TXT"));
    }
}

void EditorWindowTest::spellCheckFlagsAndSuggests() {
    Editor f;
    QVERIFY(f.app.spelling.waitUntilLoaded());
    auto* input = f.window->findChild<SpellingLineEdit*>("sentenceInput");
    QTest::keyClicks(input, "Die Kaze");
    QVERIFY(input->flaggedWords().isEmpty()); // still being typed
    input->insert(" schläft.");               // keyClicks types ASCII only
    QTRY_COMPARE(input->flaggedWords(), QList<WordSpan>({{4, 4}}));
    QTest::keyClick(input, Qt::Key_Return);
    const QModelIndex added = f.window->findChild<QListView*>("sentenceList")->model()->index(4, 0);
    QTRY_COMPARE(added.data(Qt::AccessibleTextRole).toString(),
                 "Die Kaze schläft. – unbekanntes Wort: Kaze");
    QTRY_COMPARE(f.window->findChild<QLabel*>("unknownWordsLabel")->text(), "1 unbekanntes Wort");

    QMenu menu;
    input->addSpellingEntries(menu, 6);
    QStringList entries;
    for (const QAction* action : menu.actions())
        entries.append(action->text());
    QVERIFY2(entries.size() <= 7 && entries.first() == "Katze" &&
                 entries.last() == "Zur Wortliste hinzufügen",
             qPrintable(entries.join('|')));
    menu.actions().constFirst()->trigger();
    QCOMPARE(input->text(), "Die Katze schläft.");
    QCOMPARE(f.app.store.entry(4), "Die Kaze schläft."); // the input line only
    QVERIFY(input->flaggedWords().isEmpty());
}

QTEST_MAIN(EditorWindowTest)
#include "test_editorwindow.moc"
