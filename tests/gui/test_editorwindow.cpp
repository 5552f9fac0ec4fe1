#include "editor/editorwindow.h"
#include "editor/listrules.h"
#include "editor/samplelistdialog.h"
#include "editor/samplelists.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
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
        app.store.setSelected(0);
        app.fileStatus.setLoaded(SentenceStore::countText(int(sentences.size())), "/s/A.TXT",
                                 "A.TXT");
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
    QListView* list() const { return child<QListView>("List1"); }
    int rows() const { return list()->model()->rowCount(); }
    void type(const QString& text) const {
        child<QLineEdit>("Text1")->clear();
        QTest::keyClicks(child<QLineEdit>("Text1"), text);
    }
    void clickRow(int row) const {
        const QModelIndex index = list()->model()->index(row, 0);
        list()->scrollTo(index);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualRect(index).center());
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
    void listKeepsItsScrollPositionAfterAnEdit();
    void fileListLoadsOnDoubleClick();
    void pasteLeavesTheCount();
    void sampleListLoadsAsNewListAndSavesIntoTheFolder();
    void leavingEmitsReturn_data();
    void leavingEmitsReturn();
};

void EditorWindowTest::controlsAtTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("Picture7") << "Picture7" << QRect(16, 8, 33, 33) << "Zum Hauptfenster";
    QTest::newRow("Picture5") << "Picture5" << QRect(72, 8, 33, 33) << "Liste speichern";
    QTest::newRow("Picture6") << "Picture6" << QRect(128, 8, 33, 33) << "Liste drucken";
    QTest::newRow("Picture10") << "Picture10" << QRect(184, 8, 33, 33) << "Aus Ablage einfügen";
    QTest::newRow("Picture9") << "Picture9" << QRect(240, 8, 33, 33) << "Liste in Ablage";
    QTest::newRow("Picture8") << "Picture8" << QRect(296, 8, 33, 33) << "Dateiliste ein/aus";
    QTest::newRow("sampleListsButton")
        << "sampleListsButton" << QRect(600, 8, 33, 33) << "Beispiellisten";
    QTest::newRow("File1") << "File1" << QRect(336, 8, 185, 162) << "Doppelklick zum Laden";
    QTest::newRow("Label2") << "Label2" << QRect(8, 64, 289, 17) << "/s/A.TXT";
    QTest::newRow("Label1") << "Label1" << QRect(448, 64, 185, 17) << "";
    QTest::newRow("List1") << "List1" << QRect(8, 80, 625, 354) << "";
    QTest::newRow("Command1") << "Command1" << QRect(104, 200, 433, 89) << "";
    QTest::newRow("Picture1") << "Picture1" << QRect(232, 440, 33, 33)
                              << "Text in Liste übernehmen";
    QTest::newRow("Picture2") << "Picture2" << QRect(280, 440, 33, 33)
                              << "Markierte Zeile ersetzen";
    QTest::newRow("Picture3") << "Picture3" << QRect(328, 440, 33, 33) << "Markierte Zeile holen";
    QTest::newRow("Picture4") << "Picture4" << QRect(376, 440, 33, 33) << "Markierte Zeile löschen";
    QTest::newRow("Label4") << "Label4" << QRect(456, 464, 177, 17) << "";
    QTest::newRow("Text1") << "Text1" << QRect(8, 480, 625, 25) << "";
}

void EditorWindowTest::controlsAtTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QString, toolTip);
    Fixture f;
    QCOMPARE(f.window->objectName(), "Form2");
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
    QCOMPARE(f.label("Label1"), " 5 Sätze gefunden.");
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
    f.click("Picture1");
    QCOMPARE(f.label("Label1"), " 6 Sätze gefunden.");
    f.clickRow(4);
    f.click("Picture3");
    QCOMPARE(f.child<QLineEdit>("Text1")->text(), Five[4]);
    QCOMPARE(f.label("Label4"), " 7 Wörter");
    f.type("a b c d e f g h i j k l m n o p q r s");
    auto* warning = f.child<QPushButton>("Command1");
    QVERIFY(warning->isVisible());
    QTest::mouseClick(warning, Qt::LeftButton);
    QVERIFY(!warning->isVisible());
    f.click("Picture2");
    QCOMPARE(f.list()->model()->index(4, 0).data().toString(), f.app.store.entry(4));
    QCOMPARE(f.app.store.entry(4).size(), 37);
    f.dialogs.queueAnswer(Answer::Yes);
    f.click("Picture4");
    QCOMPARE(f.rows(), 5);
    QCOMPARE(f.label("Label1"), " 5 Sätze gefunden.");
}

void EditorWindowTest::listKeepsItsScrollPositionAfterAnEdit() {
    QStringList many;
    for (int i = 0; i < 500; ++i)
        many.append(QString("Satz %1.").arg(i));
    Fixture f(many);
    f.app.store.setSelected(SentenceStore::NoSelection);
    QScrollBar* bar = f.list()->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    const int scrolled = bar->value();
    f.type("Ein neuer Satz.");
    f.click("Picture1");
    QCOMPARE(f.rows(), 501);
    QCOMPARE(bar->value(), scrolled);
}

void EditorWindowTest::fileListLoadsOnDoubleClick() {
    Fixture f;
    f.folder.write("tiere.txt", "Der Hund bellt.\r\nDie Kuh muht.\r\n");
    f.window->activate();
    auto* files = f.child<QListWidget>("File1");
    QVERIFY(!files->isVisible());
    f.click("Picture8");
    QVERIFY(files->isVisible());
    const QPoint entry = files->visualItemRect(files->item(0)).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, entry);
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, entry);
    QVERIFY(!files->isVisible());
    QCOMPARE(f.rows(), 2);
    QCOMPARE(f.label("Label1"), " 2 Sätze gefunden.");
    QCOMPARE(f.child<QLabel>("Label2")->toolTip(), f.folder.path("tiere.txt"));

    f.dialogs.queueInput("neu.txt");
    f.click("Picture5");
    QCOMPARE(files->count(), 2);
}

void EditorWindowTest::pasteLeavesTheCount() {
    Fixture f;
    QGuiApplication::clipboard()->setText("Sechs.\r\nSieben.\r\nAcht");
    f.click("Picture10");
    QCOMPARE(f.rows(), 7);
    QCOMPARE(f.label("Label1"), " 5 Sätze gefunden.");
    f.click("Picture9");
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

    f.click("Picture8");
    f.click("sampleListsButton");
    const QPoint entry = choice->visualItemRect(item).center();
    QTest::mouseClick(choice->viewport(), Qt::LeftButton, {}, entry);
    QTest::mouseDClick(choice->viewport(), Qt::LeftButton, {}, entry);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.app.store.entries(), sentences);
    QCOMPARE(f.rows(), sentences.size());
    QVERIFY(!f.child<QListWidget>("File1")->isVisible());
    QCOMPARE(f.label("Label1"), listrules::listCountText(int(sentences.size())));
    QCOMPARE(f.child<QLabel>("Label2")->toolTip(), SampleLists::editorLabel(name));
    QVERIFY(!f.folder.exists(name));

    f.dialogs.queueInput("klasse2.txt");
    f.click("Picture5");
    QCOMPARE(f.folder.read(name), SampleLists::bytes(name));
    QCOMPARE(f.child<QListWidget>("File1")->findItems(name, Qt::MatchExactly).size(), 1);
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
        f.click("Picture7");
    QCOMPARE(returned.size(), 1);
    QVERIFY(!f.window->isVisible());
    QVERIFY(f.dialogs.boxes.isEmpty());
}

QTEST_MAIN(EditorWindowTest)
#include "test_editorwindow.moc"
