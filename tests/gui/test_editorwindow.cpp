#include "editor/editorwindow.h"
#include "editor/listrules.h"
#include "editor/samplelistdialog.h"
#include "editor/samplelists.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace tivoral;

namespace {

const QStringList Five{"Eins.", "Zwei.", "Drei.", "Vier.",
                       "Auf der Autobahn ist ein Stau entstanden."};

struct Fixture {
    testing::WorkFolder folder;
    testing::ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    std::unique_ptr<EditorWindow> window;

    explicit Fixture(const QStringList& sentences = Five) {
        app.store.setEntries(sentences);
        app.store.markAsSaved(); // as a load leaves it
        app.store.setSelected(0);
        app.fileStatus.setLoaded(int(sentences.size()), "/s/A.TXT", "A.TXT");
        window = std::make_unique<EditorWindow>(app);
        window->activate();
    }
    template <typename T> T* child(const char* name) const {
        T* widget = window->findChild<T*>(name);
        if (!widget)
            qFatal("missing control %s", name);
        return widget;
    }
    void click(const char* name) const {
        QTest::mouseClick(child<QToolButton>(name), Qt::LeftButton);
    }
    QString label(const char* name) const { return child<QLabel>(name)->text(); }
    QListView* list() const { return child<QListView>("sentenceList"); }
    int rows() const { return list()->model()->rowCount(); }
    void type(const QString& text) const {
        child<QLineEdit>("sentenceInput")->clear();
        QTest::keyClicks(child<QLineEdit>("sentenceInput"), text);
    }
    QPoint rowCentre(int row) const {
        const QModelIndex index = list()->model()->index(row, 0);
        list()->scrollTo(index);
        return list()->visualRect(index).center();
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers, rowCentre(row));
    }
    // The row the view shows marked, -1 for none.
    int highlightedRow() const {
        const QModelIndexList rows = list()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.constFirst().row();
    }
};

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void listIsTheSharedStoreAndItsSelection();
    void editingThroughTheButtons();
    void highlightIsTheLineTheButtonsActOn_data();
    void highlightIsTheLineTheButtonsActOn();
    void newLinesComeIntoView_data();
    void newLinesComeIntoView();
    void fileListLoadsOnDoubleClick();
    void pasteLeavesTheCount();
    void sampleListLoadsAsNewListAndSavesIntoTheFolder();
    void leavingEmitsReturn_data();
    void leavingEmitsReturn();
    void unsavedEditsAskBeforeGoingOn_data();
    void unsavedEditsAskBeforeGoingOn();
};

void EditorWindowTest::controlsAtTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("closeEditorButton")
        << "closeEditorButton" << QRect(16, 8, 33, 33) << "Zum Hauptfenster";
    QTest::newRow("saveListButton")
        << "saveListButton" << QRect(72, 8, 33, 33) << "Liste speichern";
    QTest::newRow("printListButton")
        << "printListButton" << QRect(128, 8, 33, 33) << "Liste drucken";
    QTest::newRow("pasteButton") << "pasteButton" << QRect(184, 8, 33, 33) << "Aus Ablage einfügen";
    QTest::newRow("copyButton") << "copyButton" << QRect(240, 8, 33, 33) << "Liste in Ablage";
    QTest::newRow("fileListButton")
        << "fileListButton" << QRect(296, 8, 33, 33) << "Dateiliste ein/aus";
    QTest::newRow("worksheetsButton")
        << "worksheetsButton" << QRect(544, 8, 33, 33) << "Arbeitsblätter";
    QTest::newRow("sampleListsButton")
        << "sampleListsButton" << QRect(600, 8, 33, 33) << "Beispiellisten";
    QTest::newRow("fileList") << "fileList" << QRect(336, 8, 185, 162) << "Doppelklick zum Laden";
    QTest::newRow("fileLabel") << "fileLabel" << QRect(8, 64, 289, 17) << "/s/A.TXT";
    QTest::newRow("sentenceCountLabel") << "sentenceCountLabel" << QRect(448, 64, 185, 17) << "";
    QTest::newRow("sentenceList") << "sentenceList" << QRect(8, 80, 625, 354) << "";
    QTest::newRow("wordLimitWarning") << "wordLimitWarning" << QRect(104, 200, 433, 89) << "";
    QTest::newRow("addSentenceButton")
        << "addSentenceButton" << QRect(232, 440, 33, 33) << "Text in Liste übernehmen";
    QTest::newRow("replaceButton")
        << "replaceButton" << QRect(280, 440, 33, 33) << "Markierte Zeile ersetzen";
    QTest::newRow("fetchButton") << "fetchButton" << QRect(328, 440, 33, 33)
                                 << "Markierte Zeile holen";
    QTest::newRow("deleteButton") << "deleteButton" << QRect(376, 440, 33, 33)
                                  << "Markierte Zeile löschen";
    QTest::newRow("wordCountLabel") << "wordCountLabel" << QRect(456, 464, 177, 17) << "";
    QTest::newRow("sentenceInput") << "sentenceInput" << QRect(8, 480, 625, 25) << "";
}

void EditorWindowTest::controlsAtTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QString, toolTip);
    Fixture f;
    QCOMPARE(f.window->objectName(), "editorWindow");
    QCOMPARE(f.window->windowTitle(), "Tivoral:  Satzeditor");
    QCOMPARE(f.window->size(), QSize(645, 537));
    QWidget* control = f.window->findChild<QWidget*>(name);
    QVERIFY(control);
    QTEST(control->geometry(), "geometry");
    QCOMPARE(control->toolTip(), toolTip);
    if (auto* button = qobject_cast<QToolButton*>(control))
        QVERIFY(!button->icon().isNull() && button->accessibleName() == toolTip);
}

void EditorWindowTest::listIsTheSharedStoreAndItsSelection() {
    Fixture f;
    QCOMPARE(f.rows(), 5);
    QCOMPARE(f.label("sentenceCountLabel"), " 5 Sätze gefunden.");
    f.clickRow(3);
    QCOMPARE(f.app.store.selected(), 3);
    f.app.store.setSelected(1);
    QCOMPARE(f.list()->currentIndex().row(), 1);
    // A load in the main window shows at once.
    f.app.store.setEntries({"Neu."});
    QCOMPARE(f.rows(), 1);
    QCOMPARE(f.list()->model()->index(0, 0).data().toString(), "Neu.");
    QVERIFY(!f.list()->selectionModel()->hasSelection());
}

void EditorWindowTest::editingThroughTheButtons() {
    Fixture f;
    f.type("Der Hund bellt.");
    f.click("addSentenceButton");
    QCOMPARE(f.label("sentenceCountLabel"), " 6 Sätze gefunden.");
    f.clickRow(4);
    f.click("fetchButton");
    QCOMPARE(f.child<QLineEdit>("sentenceInput")->text(), Five[4]);
    QCOMPARE(f.label("wordCountLabel"), " 7 Wörter");
    f.type("a b c d e f g h i j k l m n o p q r s");
    auto* warning = f.child<QPushButton>("wordLimitWarning");
    QVERIFY(warning->isVisible());
    QTest::mouseClick(warning, Qt::LeftButton);
    QVERIFY(!warning->isVisible());
    f.click("replaceButton");
    QCOMPARE(f.list()->model()->index(4, 0).data().toString(), f.app.store.entry(4));
    QCOMPARE(f.app.store.entry(4).size(), 37);
    f.dialogs.queueAnswer(Answer::Yes);
    f.click("deleteButton");
    QCOMPARE(f.rows(), 5);
    QCOMPARE(f.label("sentenceCountLabel"), " 5 Sätze gefunden.");
}

void EditorWindowTest::highlightIsTheLineTheButtonsActOn_data() {
    QTest::addColumn<QString>("action"); // done after a click on the third line
    QTest::addColumn<int>("marked");     // -1: no line marked, Replace must change nothing
    QTest::addColumn<QString>("fetched");
    QTest::newRow("click below the last line") << "below" << -1 << "";
    QTest::newRow("Ctrl click on the marked line") << "ctrl" << -1 << "";
    QTest::newRow("arrow key down") << "down" << 3 << "";
    QTest::newRow("double click fetches") << "double" << 3 << "Vier.";
    QTest::newRow("Delete key asks, then deletes") << "delete" << 0 << "";
}

void EditorWindowTest::highlightIsTheLineTheButtonsActOn() {
    QFETCH(QString, action);
    QFETCH(int, marked);
    Fixture f;
    f.clickRow(2);
    QWidget* rows = f.list()->viewport();
    if (action == "below")
        QTest::mouseClick(rows, Qt::LeftButton, {}, rows->rect().bottomLeft() + QPoint(9, -2));
    if (action == "ctrl")
        f.clickRow(2, Qt::ControlModifier);
    if (action == "down")
        QTest::keyClick(f.list(), Qt::Key_Down);
    if (action == "double") {
        f.clickRow(3);
        QTest::mouseDClick(rows, Qt::LeftButton, {}, f.rowCentre(3));
    }
    if (action == "delete") {
        f.dialogs.queueAnswer(Answer::Yes);
        QTest::keyClick(f.list(), Qt::Key_Delete);
        QCOMPARE(f.dialogs.titles().value(0), "Zeile 3 löschen?");
    }
    QTEST(f.child<QLineEdit>("sentenceInput")->text(), "fetched");
    QCOMPARE(f.highlightedRow(), marked);
    QCOMPARE(f.app.store.selected(), marked);

    QStringList expected = f.app.store.entries();
    if (marked >= 0)
        expected[marked] = "Neu.";
    f.type("Neu.");
    f.click("replaceButton");
    QCOMPARE(f.app.store.entries(), expected);
}

void EditorWindowTest::newLinesComeIntoView_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("add button") << "button";
    QTest::newRow("Enter in the input line") << "enter";
    QTest::newRow("paste") << "paste";
}

void EditorWindowTest::newLinesComeIntoView() {
    QFETCH(QString, how);
    QStringList many;
    for (int i = 0; i < 500; ++i)
        many.append(QString("Satz %1.").arg(i));
    Fixture f(many);
    f.clickRow(10);
    QGuiApplication::clipboard()->setText("Neu 1.\r\nNeu 2.\r\n");
    f.type("Neu 1.");
    if (how == "paste")
        f.click("pasteButton");
    if (how == "enter")
        QTest::keyClick(f.child<QLineEdit>("sentenceInput"), Qt::Key_Return);
    if (how == "button")
        f.click("addSentenceButton");
    QCOMPARE(f.app.store.entry(500), "Neu 1.");
    const QRect newRow = f.list()->visualRect(f.list()->model()->index(500, 0));
    QVERIFY(f.list()->viewport()->rect().contains(newRow));
    // The marked line stays marked while out of view.
    QCOMPARE(f.highlightedRow(), 10);
    QCOMPARE(f.app.store.selected(), 10);
}

void EditorWindowTest::fileListLoadsOnDoubleClick() {
    Fixture f;
    f.folder.write("tiere.txt", "Der Hund bellt.\r\nDie Kuh muht.\r\n");
    f.window->activate();
    auto* files = f.child<QListWidget>("fileList");
    QVERIFY(!files->isVisible());
    f.click("fileListButton");
    QVERIFY(files->isVisible());
    const QPoint entry = files->visualItemRect(files->item(0)).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, entry);
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, entry);
    QVERIFY(!files->isVisible());
    QCOMPARE(f.rows(), 2);
    QCOMPARE(f.label("sentenceCountLabel"), " 2 Sätze gefunden.");
    QCOMPARE(f.child<QLabel>("fileLabel")->toolTip(), f.folder.path("tiere.txt"));

    f.dialogs.queueInput("neu.txt");
    f.click("saveListButton");
    QCOMPARE(files->count(), 2);
}

void EditorWindowTest::pasteLeavesTheCount() {
    Fixture f;
    QGuiApplication::clipboard()->setText("Sechs.\r\nSieben.\r\nAcht");
    f.click("pasteButton");
    QCOMPARE(f.rows(), 7);
    QCOMPARE(f.label("sentenceCountLabel"), " 5 Sätze gefunden.");
    f.click("copyButton");
    QVERIFY(QGuiApplication::clipboard()->text().endsWith("\r\nSechs.\r\nSieben.\r\n"));
}

void EditorWindowTest::sampleListLoadsAsNewListAndSavesIntoTheFolder() {
    Fixture f;
    const QString name = QStringLiteral("KLASSE2.TXT");
    const QStringList sentences = SampleLists::sentences(name);
    f.click("sampleListsButton");
    auto* dialog = f.window->findChild<SampleListDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    auto* choice = dialog->findChild<QListWidget*>("sampleListChoice");
    QCOMPARE(choice->count(), SampleLists::names().size());
    QListWidgetItem* item = choice->item(int(SampleLists::names().indexOf(name)));
    QVERIFY(item->text().startsWith(name) && item->text().contains(sentences.first()));

    choice->setCurrentItem(item);
    QTest::mouseClick(dialog->findChild<QPushButton*>("cancelSampleListButton"), Qt::LeftButton);
    QCOMPARE(f.app.store.entries(), Five);

    const auto chooseInOffer = [&] {
        f.click("sampleListsButton");
        const QPoint entry = choice->visualItemRect(item).center();
        QTest::mouseClick(choice->viewport(), Qt::LeftButton, {}, entry);
        QTest::mouseDClick(choice->viewport(), Qt::LeftButton, {}, entry);
        QVERIFY(!dialog->isVisible());
    };
    // Edits of the list in the editor are not replaced without asking.
    f.app.store.append("Neu.");
    f.dialogs.queueAnswer(Answer::Cancel);
    chooseInOffer();
    QCOMPARE(f.dialogs.last().prompt, "Die Änderungen speichern?");
    QCOMPARE(f.app.store.entries(), Five + QStringList{"Neu."});

    f.dialogs.queueAnswer(Answer::No);
    f.click("fileListButton");
    chooseInOffer();
    QCOMPARE(f.app.store.entries(), sentences);
    QVERIFY(f.app.store.hasUnsavedEdits());
    QCOMPARE(f.rows(), sentences.size());
    QVERIFY(!f.child<QListWidget>("fileList")->isVisible());
    QCOMPARE(f.label("sentenceCountLabel"), listrules::listCountText(int(sentences.size())));
    QCOMPARE(f.child<QLabel>("fileLabel")->toolTip(), SampleLists::editorLabel(name));
    QVERIFY(!f.folder.exists(name));

    f.dialogs.queueInput("klasse2.txt");
    f.click("saveListButton");
    QCOMPARE(f.folder.read(name), SampleLists::bytes(name));
    QVERIFY(!f.app.store.hasUnsavedEdits());
    QCOMPARE(f.child<QListWidget>("fileList")->findItems(name, Qt::MatchExactly).size(), 1);
}

void EditorWindowTest::leavingEmitsReturn_data() {
    QTest::addColumn<bool>("throughFrame");
    QTest::newRow("button") << false;
    QTest::newRow("window frame") << true;
}

void EditorWindowTest::leavingEmitsReturn() {
    QFETCH(bool, throughFrame);
    Fixture f;
    QSignalSpy returned(f.window.get(), &EditorWindow::returnedToMainWindow);
    if (throughFrame)
        f.window->close();
    else
        f.click("closeEditorButton");
    QCOMPARE(returned.size(), 1);
    QVERIFY(!f.window->isVisible());
    QVERIFY(f.dialogs.boxes.isEmpty());
}

void EditorWindowTest::unsavedEditsAskBeforeGoingOn_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("saveName"); // typed into the save's name box; empty = cancelled
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("leave, Ja saves first") << "leave" << Answer::Yes << "neu.txt" << true;
    QTest::newRow("leave, Ja but name box cancelled") << "leave" << Answer::Yes << "" << false;
    QTest::newRow("leave, Nein") << "leave" << Answer::No << "" << true;
    QTest::newRow("leave, Abbrechen") << "leave" << Answer::Cancel << "" << false;
    QTest::newRow("window frame, Abbrechen") << "frame" << Answer::Cancel << "" << false;
    QTest::newRow("window frame, Nein") << "frame" << Answer::No << "" << true;
    QTest::newRow("load file, Ja saves first") << "load" << Answer::Yes << "neu.txt" << true;
    QTest::newRow("load file, Abbrechen") << "load" << Answer::Cancel << "" << false;
}

void EditorWindowTest::unsavedEditsAskBeforeGoingOn() {
    QFETCH(QString, way);
    QFETCH(Answer, answer);
    QFETCH(QString, saveName);
    QFETCH(bool, goesOn);
    Fixture f;
    f.folder.write("tiere.txt", "Der Hund bellt.\r\n");
    f.window->activate();
    QSignalSpy returned(f.window.get(), &EditorWindow::returnedToMainWindow);
    f.type("Der Hase hoppelt.");
    f.click("addSentenceButton");
    const QStringList edited = f.app.store.entries();
    f.dialogs.queueAnswer(answer);
    f.dialogs.queueInput(saveName);

    if (way == "leave") {
        f.click("closeEditorButton");
    } else if (way == "frame") {
        f.window->close();
    } else {
        f.click("fileListButton");
        auto* files = f.child<QListWidget>("fileList");
        const QPoint entry = files->visualItemRect(files->item(0)).center();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, entry);
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, entry);
    }
    const testing::ScriptedDialogs::Box question = f.dialogs.boxes.constFirst();
    QCOMPARE(question.prompt + '|' + question.title, "Die Änderungen speichern?|Satzeditor");
    QCOMPARE(question.buttons, Buttons::YesNoCancel);
    QCOMPARE(question.defaultAnswer, Answer::Yes);
    QCOMPARE(QFile::exists(f.folder.path("NEU.TXT")), goesOn && answer == Answer::Yes);
    const bool loaded = goesOn && way == "load";
    QCOMPARE(f.app.store.entries(), loaded ? QStringList{"Der Hund bellt."} : edited);
    QCOMPARE(returned.size(), goesOn && !loaded ? 1 : 0);
    QCOMPARE(f.window->isVisible(), !goesOn || loaded);

    // Once saved or declined, only a further change asks again.
    f.dialogs.clear();
    f.window->activate();
    f.click("closeEditorButton");
    QCOMPARE(f.dialogs.prompts(), goesOn ? QStringList() : QStringList{question.prompt});
}

QTEST_MAIN(EditorWindowTest)
#include "test_editorwindow.moc"
