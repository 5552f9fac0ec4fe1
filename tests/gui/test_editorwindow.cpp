#include "editor/editorwindow.h"
#include "editor/samplelistdialog.h"
#include "editor/samplelists.h"
#include "support/fixture.h"

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

struct Editor : testing::Fixture {
    std::unique_ptr<EditorWindow> window;

    explicit Editor(const QStringList& sentences = Five) {
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
    static void doubleClick(QListWidget* list, QListWidgetItem* item) {
        const QPoint entry = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry);
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
    void controlsCarryTheirTips();
    void listIsTheSharedStoreAndItsSelection();
    void highlightIsTheLineTheButtonsActOn_data();
    void highlightIsTheLineTheButtonsActOn();
    void newLinesComeIntoView_data();
    void newLinesComeIntoView();
    void sampleListLoadsAsNewListAndSavesIntoTheFolder();
    void unsavedEditsAskBeforeGoingOn_data();
    void unsavedEditsAskBeforeGoingOn();
};

void EditorWindowTest::controlsCarryTheirTips() {
    Editor f;
    QCOMPARE(f.window->windowTitle(), "Tivoral:  Satzeditor");
    const QList<QPair<const char*, QString>> tips = {
        {"closeEditorButton", "Zum Hauptfenster"},
        {"saveListButton", "Liste speichern"},
        {"printListButton", "Liste drucken"},
        {"pasteButton", "Aus Ablage einfügen"},
        {"copyButton", "Liste in Ablage"},
        {"fileListButton", "Dateiliste ein/aus"},
        {"worksheetsButton", "Arbeitsblätter"},
        {"sampleListsButton", "Beispiellisten"},
        {"addSentenceButton", "Text in Liste übernehmen"},
        {"replaceButton", "Markierte Zeile ersetzen"},
        {"fetchButton", "Markierte Zeile holen"},
        {"deleteButton", "Markierte Zeile löschen"}};
    for (const auto& [name, tip] : tips) {
        auto* button = f.child<QToolButton>(name);
        QCOMPARE(button->toolTip(), tip);
        QVERIFY2(!button->icon().isNull(), name);
    }
    QCOMPARE(f.child<QWidget>("fileList")->toolTip(), "Doppelklick zum Laden");
    QCOMPARE(f.child<QWidget>("fileLabel")->toolTip(), "/s/A.TXT");
}

void EditorWindowTest::listIsTheSharedStoreAndItsSelection() {
    Editor f;
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
    Editor f;
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
    Editor f(many);
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

void EditorWindowTest::sampleListLoadsAsNewListAndSavesIntoTheFolder() {
    Editor f;
    const QString name = QStringLiteral("KLASSE2.TXT");
    const QStringList sentences = SampleLists::sentences(name);
    f.click("sampleListsButton");
    auto* dialog = f.window->findChild<SampleListDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    auto* choice = dialog->findChild<QListWidget*>("sampleListChoice");
    QCOMPARE(choice->count(), SampleLists::names().size());
    QListWidgetItem* item = choice->item(int(SampleLists::names().indexOf(name)));

    choice->setCurrentItem(item);
    QTest::mouseClick(dialog->findChild<QPushButton*>("cancelSampleListButton"), Qt::LeftButton);
    QCOMPARE(f.app.store.entries(), Five);

    const auto chooseInOffer = [&] {
        f.click("sampleListsButton");
        Editor::doubleClick(choice, item);
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
    QVERIFY(!f.child<QListWidget>("fileList")->isVisible());
    QCOMPARE(f.child<QLabel>("fileLabel")->toolTip(), SampleLists::editorLabel(name));
    QVERIFY(!f.folder.exists(name));

    f.dialogs.queueInput("klasse2.txt");
    f.click("saveListButton");
    QCOMPARE(f.folder.read(name), SampleLists::bytes(name));
    QVERIFY(!f.app.store.hasUnsavedEdits());
    QCOMPARE(f.child<QListWidget>("fileList")->findItems(name, Qt::MatchExactly).size(), 1);
}

void EditorWindowTest::unsavedEditsAskBeforeGoingOn_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("saveName"); // typed into the save's name box; empty = cancelled
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("leave, Ja saves first") << "leave" << Answer::Yes << "neu.txt" << true;
    QTest::newRow("leave, Ja but name box cancelled") << "leave" << Answer::Yes << "" << false;
    QTest::newRow("leave, Abbrechen") << "leave" << Answer::Cancel << "" << false;
    QTest::newRow("window frame, Nein") << "frame" << Answer::No << "" << true;
    QTest::newRow("load file, Ja saves first") << "load" << Answer::Yes << "neu.txt" << true;
}

void EditorWindowTest::unsavedEditsAskBeforeGoingOn() {
    QFETCH(QString, way);
    QFETCH(Answer, answer);
    QFETCH(QString, saveName);
    QFETCH(bool, goesOn);
    Editor f;
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
        Editor::doubleClick(files, files->item(0));
    }
    const testing::ScriptedDialogs::Box question = f.dialogs.boxes.constFirst();
    QCOMPARE(question.prompt + '|' + question.title, "Die Änderungen speichern?|Satzeditor");
    QCOMPARE(question.buttons, Buttons::YesNoCancel);
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
