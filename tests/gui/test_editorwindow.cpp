#include "editor/editorwindow.h"
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

const QStringList FiveSentences{
    QStringLiteral("Nach dem Essen mache ich meine Hausaufgaben."),
    QStringLiteral("Die Schule macht mir heute gar keinen Spaß."),
    QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld."),
    QStringLiteral("Vater bringt das Auto in die Werkstatt."),
    QStringLiteral("Auf der Autobahn ist ein Stau entstanden."),
};

struct Fixture {
    testing::WorkFolder folder;
    testing::ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    std::unique_ptr<EditorWindow> window;

    explicit Fixture(const QStringList& sentences = FiveSentences) {
        app.store.setEntries(sentences);
        app.store.setSelected(0);
        app.fileStatus.setLoaded(SentenceStore::countText(int(sentences.size())),
                                 folder.path(QStringLiteral("TIVORAL.TXT")),
                                 QStringLiteral("TIVORAL.TXT"));
        window = std::make_unique<EditorWindow>(app);
        window->activate();
    }

    template <typename T> T* child(const char* name) const {
        T* widget = window->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("missing control %s", name);
        return widget;
    }
    void click(const char* name) const {
        QTest::mouseClick(child<QToolButton>(name), Qt::LeftButton);
    }
    QString text(const char* name) const { return child<QLabel>(name)->text(); }
    QListView* list() const { return child<QListView>("List1"); }
    void type(const QString& text) const {
        QLineEdit* input = child<QLineEdit>("Text1");
        input->clear();
        QTest::keyClicks(input, text);
    }
    void clickRow(int row) const {
        QListView* view = list();
        view->scrollTo(view->model()->index(row, 0));
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithTitleSizeAndControls_data();
    void opensWithTitleSizeAndControls();
    void listShowsTheSharedStore();
    void selectionIsTheStoresSelection();
    void typingCountsWordsAndWarns();
    void addButtonAppendsAndCounts();
    void fetchAndReplaceThroughButtons();
    void deleteAsksAndUpdatesList();
    void listKeepsItsScrollPositionAfterAnEdit();
    void fileListTogglesAndLoadsOnDoubleClick();
    void pasteFromClipboardLeavesCount();
    void saveWritesFileAndListsIt();
    void leavingEmitsReturn_data();
    void leavingEmitsReturn();
};

void EditorWindowTest::opensWithTitleSizeAndControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("Picture7") << "Picture7" << QRect(16, 8, 33, 33) << "Zum Hauptfenster";
    QTest::newRow("Picture5") << "Picture5" << QRect(72, 8, 33, 33) << "Liste speichern";
    QTest::newRow("Picture6") << "Picture6" << QRect(128, 8, 33, 33) << "Liste drucken";
    QTest::newRow("Picture10") << "Picture10" << QRect(184, 8, 33, 33) << "Aus Ablage einfügen";
    QTest::newRow("Picture9") << "Picture9" << QRect(240, 8, 33, 33) << "Liste in Ablage";
    QTest::newRow("Picture8") << "Picture8" << QRect(296, 8, 33, 33) << "Dateiliste ein/aus";
    QTest::newRow("File1") << "File1" << QRect(336, 8, 185, 162) << "Doppelklick zum Laden";
    QTest::newRow("List1") << "List1" << QRect(8, 80, 625, 354) << "";
    QTest::newRow("Picture1") << "Picture1" << QRect(232, 440, 33, 33)
                              << "Text in Liste übernehmen";
    QTest::newRow("Picture2") << "Picture2" << QRect(280, 440, 33, 33)
                              << "Markierte Zeile ersetzen";
    QTest::newRow("Picture3") << "Picture3" << QRect(328, 440, 33, 33) << "Markierte Zeile holen";
    QTest::newRow("Picture4") << "Picture4" << QRect(376, 440, 33, 33) << "Markierte Zeile löschen";
    QTest::newRow("Text1") << "Text1" << QRect(8, 480, 625, 25) << "";
}

void EditorWindowTest::opensWithTitleSizeAndControls() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, toolTip);
    Fixture f;
    QCOMPARE(f.window->objectName(), QStringLiteral("Form2"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Tivoral:  Satzeditor"));
    QCOMPARE(f.window->size(), QSize(645, 537));
    QWidget* control = f.window->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->toolTip(), toolTip);
    QVERIFY(!control->accessibleName().isEmpty());
    if (auto* button = qobject_cast<QToolButton*>(control))
        QVERIFY(!button->icon().isNull());
}

void EditorWindowTest::listShowsTheSharedStore() {
    Fixture f;
    QAbstractItemModel* model = f.list()->model();
    QCOMPARE(model->rowCount(), 5);
    QCOMPARE(model->index(2, 0).data().toString(), FiveSentences.at(2));
    QCOMPARE(f.text("Label1"), QStringLiteral(" 5 Sätze gefunden."));
    QVERIFY(f.window->isVisible());

    // A change made elsewhere, such as a load in the main window, shows at once.
    f.app.store.setEntries({QStringLiteral("Neu.")});
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Neu."));
}

void EditorWindowTest::selectionIsTheStoresSelection() {
    Fixture f;
    f.clickRow(3);
    QCOMPARE(f.app.store.selected(), 3);
    f.app.store.setSelected(1);
    QCOMPARE(f.list()->currentIndex().row(), 1);
    QVERIFY(f.list()->selectionModel()->isRowSelected(1, {}));
    f.app.store.setSelected(SentenceStore::NoSelection);
    QVERIFY(!f.list()->selectionModel()->hasSelection());
}

void EditorWindowTest::typingCountsWordsAndWarns() {
    Fixture f;
    auto* warning = f.child<QPushButton>("Command1");
    f.type(QStringLiteral("Der Hund"));
    QCOMPARE(f.text("Label4"), QStringLiteral(" 2 Wörter"));
    QVERIFY(!warning->isVisible());
    f.type(QStringLiteral("a b c d e f g h i j k l m n o p q r s"));
    QCOMPARE(f.text("Label4"), QStringLiteral(" 19 Wörter"));
    QVERIFY(warning->isVisible());
    QCOMPARE(warning->text(), QStringLiteral("Ein Satz darf maximal 18 Wörter enthalten!"));
    QCOMPARE(warning->geometry(), QRect(104, 200, 433, 89));
    f.type(QStringLiteral("kurz"));
    QCOMPARE(f.text("Label4"), QStringLiteral(" 1 Wort"));
    QVERIFY(warning->isVisible());
    QTest::mouseClick(warning, Qt::LeftButton);
    QVERIFY(!warning->isVisible());
}

void EditorWindowTest::addButtonAppendsAndCounts() {
    Fixture f;
    f.type(QStringLiteral("Der Hund bellt."));
    f.click("Picture1");
    QCOMPARE(f.list()->model()->rowCount(), 6);
    QCOMPARE(f.app.store.entries().constLast(), QStringLiteral("Der Hund bellt."));
    QCOMPARE(f.text("Label1"), QStringLiteral(" 6 Sätze gefunden."));
    QCOMPARE(f.child<QLineEdit>("Text1")->text(), QStringLiteral("Der Hund bellt."));
    f.click("Picture1");
    QCOMPARE(f.dialogs.prompts(), QStringList{QStringLiteral("Der Satz ist schon vorhanden!\r")});
    QCOMPARE(f.list()->model()->rowCount(), 6);
}

void EditorWindowTest::fetchAndReplaceThroughButtons() {
    Fixture f;
    f.clickRow(3);
    f.click("Picture3");
    QCOMPARE(f.child<QLineEdit>("Text1")->text(), FiveSentences.at(3));
    QCOMPARE(f.text("Label4"), QStringLiteral(" 7 Wörter"));
    f.type(QStringLiteral("Mutter bringt das Auto."));
    f.click("Picture2");
    QCOMPARE(f.list()->model()->index(3, 0).data().toString(),
             QStringLiteral("Mutter bringt das Auto."));
    QCOMPARE(f.app.store.selected(), 3);
}

void EditorWindowTest::deleteAsksAndUpdatesList() {
    Fixture f;
    f.clickRow(2);
    f.dialogs.queueAnswer(Answer::Yes);
    f.click("Picture4");
    QCOMPARE(f.dialogs.messages().constFirst().title, QStringLiteral("Zeile 3 löschen?"));
    QCOMPARE(f.list()->model()->rowCount(), 4);
    QCOMPARE(f.list()->currentIndex().row(), 0);
    QCOMPARE(f.text("Label1"), QStringLiteral(" 4 Sätze gefunden."));
}

void EditorWindowTest::listKeepsItsScrollPositionAfterAnEdit() {
    QStringList many;
    for (int i = 0; i < 500; ++i)
        many.append(QStringLiteral("Satz %1.").arg(i));
    Fixture f(many);
    f.app.store.setSelected(SentenceStore::NoSelection);
    QScrollBar* bar = f.list()->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    const int scrolled = bar->value();
    QVERIFY(scrolled > 0);
    f.type(QStringLiteral("Ein neuer Satz."));
    f.click("Picture1");
    QCOMPARE(f.app.store.count(), 501);
    QCOMPARE(bar->value(), scrolled);

    f.clickRow(450);
    const int atRow = bar->value();
    f.click("Picture2");
    QCOMPARE(f.app.store.entry(450), QStringLiteral("Ein neuer Satz."));
    QCOMPARE(bar->value(), atRow);
    QCOMPARE(f.list()->currentIndex().row(), 450);
}

void EditorWindowTest::fileListTogglesAndLoadsOnDoubleClick() {
    Fixture f;
    f.folder.write(QStringLiteral("tiere.txt"), "Der Hund bellt.\r\nDie Kuh muht.\r\n");
    f.window->activate();
    auto* files = f.child<QListWidget>("File1");
    QVERIFY(!files->isVisible());
    f.click("Picture8");
    QVERIFY(files->isVisible());
    QCOMPARE(files->count(), 1);

    const QRect rect = files->visualItemRect(files->item(0));
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, rect.center());
    QVERIFY(!files->isVisible());
    QCOMPARE(f.list()->model()->rowCount(), 2);
    QCOMPARE(f.text("Label1"), QStringLiteral(" 2 Sätze gefunden."));
    QCOMPARE(f.child<QLabel>("Label2")->toolTip(), f.folder.path(QStringLiteral("tiere.txt")));
    QCOMPARE(f.app.fileStatus.mainCount, QStringLiteral(" 2"));
}

void EditorWindowTest::pasteFromClipboardLeavesCount() {
    Fixture f;
    QGuiApplication::clipboard()->setText(QStringLiteral("Sechs.\r\nSieben.\r\nAcht"));
    f.click("Picture10");
    QCOMPARE(f.list()->model()->rowCount(), 7);
    QCOMPARE(f.text("Label1"), QStringLiteral(" 5 Sätze gefunden."));
    f.click("Picture9");
    QCOMPARE(QGuiApplication::clipboard()->text(), FiveSentences.join(QStringLiteral("\r\n")) +
                                                       QStringLiteral("\r\nSechs.\r\nSieben.\r\n"));
}

void EditorWindowTest::saveWritesFileAndListsIt() {
    Fixture f;
    f.dialogs.queueInput(QStringLiteral("neu.txt"));
    f.click("Picture5");
    QVERIFY(f.folder.exists(QStringLiteral("NEU.TXT")));
    QVERIFY(!f.child<QListWidget>("File1")
                 ->findItems(QStringLiteral("NEU.TXT"), Qt::MatchExactly)
                 .isEmpty());
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
    QCOMPARE(f.app.store.entries(), FiveSentences);
}

QTEST_MAIN(EditorWindowTest)
#include "test_editorwindow.moc"
