#include "editor/editorwindow.h"
#include "support/programdriver.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace tivoral;

namespace {

struct Editor : testing::Fixture {
    std::unique_ptr<EditorWindow> window;

    Editor() : Fixture(testing::Files{{"tiere.txt", "Der Hund bellt.\r\n"}}) {
        app.store.setEntries({"Eins.", "Zwei.", "Drei.", "Vier."});
        app.store.markAsSaved(); // as a load leaves it
        app.fileStatus.setLoaded(4, "/s/A.TXT", "A.TXT");
        window = std::make_unique<EditorWindow>(app);
        window->activate();
    }
    void click(const char* name) const {
        QTest::mouseClick(window->findChild<QToolButton*>(name), Qt::LeftButton);
    }
};

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unsavedEditsAskBeforeGoingOn_data();
    void unsavedEditsAskBeforeGoingOn();
};

void EditorWindowTest::unsavedEditsAskBeforeGoingOn_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("saveName"); // typed into the save's name box; empty = cancelled
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("leave, Ja saves first") << "leave" << Answer::Yes << "neu.txt" << true;
    QTest::newRow("leave, Ja but name box cancelled") << "leave" << Answer::Yes << "" << false;
    QTest::newRow("window frame, Nein") << "frame" << Answer::No << "" << true;
    QTest::newRow("load file, Ja saves first") << "load" << Answer::Yes << "neu.txt" << true;
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

    if (way == "leave") {
        f.click("closeEditorButton");
    } else if (way == "frame") {
        f.window->close();
    } else {
        f.click("fileListButton");
        testing::ProgramDriver::doubleClickRow(f.window->findChild<QListWidget*>("fileList"), 0);
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
