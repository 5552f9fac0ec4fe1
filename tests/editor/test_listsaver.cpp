#include "editor/listsaver.h"
#include "support/fixture.h"

#include <QFile>
#include <QTest>

using namespace tivoral;

namespace {

const QStringList Animals{"Der Hund bellt.", "Der Spaß ist groß."};
const QByteArray AnimalBytes = "Der Hund bellt.\r\nDer Spa\xdf ist gro\xdf.\r\n";
const QByteArray Old = "Alt.\r\n";
const QString Saved = "Die Sätze wurden gespeichert!\r";

struct Saving : testing::Fixture {
    SentenceFileList files{folder.dir()};
    ListSaver saver{app, files};

    Saving() { app.store.setEntries(Animals); }
    ListSaver::Result saveAs(const QString& name, Answer answer = Answer::Yes) {
        dialogs.queueInput(name);
        dialogs.queueAnswer(answer);
        return saver.save();
    }
};

} // namespace

class ListSaverTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savesUnderCapitalNameAfterAskingForTxt_data();
    void savesUnderCapitalNameAfterAskingForTxt();
    void refusesNamesOutsideTheFolder_data();
    void refusesNamesOutsideTheFolder();
    void warnsWhenAnotherComputerChangedTheFile_data();
    void warnsWhenAnotherComputerChangedTheFile();
};

void ListSaverTest::savesUnderCapitalNameAfterAskingForTxt_data() {
    QTest::addColumn<QString>("existing"); // a write-protected file already there, or none
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("question"); // title of the overwrite question, empty when none
    QTest::addColumn<QString>("stored");   // the file holding the list afterwards
    QTest::newRow("ß stays ß") << "" << "straße.txt" << Answer::Yes << "" << "STRAßE.TXT";
    QTest::newRow("existing TXT, no") << "LISTE.TXT" << "Liste" << Answer::No << "LISTE.TXT" << "";
    QTest::newRow("existing TIV, no question")
        << "LISTE.TIV" << "liste.tiv" << Answer::No << "" << "LISTE.TIV";
    // The file the question names is replaced, not joined by a second one in capitals.
    QTest::newRow("existing in small letters keeps its name")
        << "tiere.txt" << "Tiere.TXT" << Answer::Yes << "TIERE.TXT" << "tiere.txt";
}

void ListSaverTest::savesUnderCapitalNameAfterAskingForTxt() {
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    QFETCH(Answer, answer);
    QFETCH(QString, question);
    QFETCH(QString, stored);
    Saving f;
    if (!existing.isEmpty()) {
        f.folder.write(existing, Old);
        QFile::setPermissions(f.folder.path(existing), QFile::ReadOwner | QFile::ReadGroup);
    }
    const ListSaver::Result result = f.saveAs(typed, answer);
    QCOMPARE(f.dialogs.boxes.constFirst().title, "Datei speichern");
    QStringList prompts;
    if (!question.isEmpty()) {
        prompts.append("Die schon vorhandene Datei überschreiben?\r");
        QCOMPARE(f.dialogs.messages().constFirst().title, question);
        QCOMPARE(f.dialogs.messages().constFirst().defaultAnswer, Answer::No);
    }
    if (!stored.isEmpty()) {
        prompts.append(Saved);
        QCOMPARE(f.dialogs.last().title, f.folder.path(stored) + " sichern");
        QCOMPARE(f.folder.read(stored), AnimalBytes);
        QVERIFY(QFile::permissions(f.folder.path(stored)) & QFile::WriteOwner);
        QCOMPARE(f.files.indexOf(stored) >= 0, stored.endsWith(".txt", Qt::CaseInsensitive));
    } else {
        QCOMPARE(f.folder.read(existing), Old);
    }
    QCOMPARE(f.dialogs.prompts(), prompts);
    QCOMPARE(result, stored.isEmpty() ? ListSaver::Result::Declined : ListSaver::Result::Saved);
    QCOMPARE(f.folder.dir().entryList(QDir::Files).size(), 1);
}

void ListSaverTest::refusesNamesOutsideTheFolder_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("cancelled or empty") << "";
    QTest::newRow("parent folder") << "../AUSSEN.TXT";
    QTest::newRow("backslash") << "C:\\x.txt";
    QTest::newRow("name of a folder") << "ordner";
    QTest::newRow("users file") << "tivoral.inf";
}

void ListSaverTest::refusesNamesOutsideTheFolder() {
    QFETCH(QString, typed);
    Saving f;
    f.folder.dir().mkdir("ORDNER.TXT");
    const ListSaver::Result result = f.saveAs(typed);
    QCOMPARE(result, typed.isEmpty() ? ListSaver::Result::Cancelled : ListSaver::Result::Refused);
    QCOMPARE(f.dialogs.messages().size(), typed.isEmpty() ? 0 : 1);
    if (!typed.isEmpty()) {
        QVERIFY(f.dialogs.last().prompt.contains(typed));
        QCOMPARE(f.dialogs.last().icon, Icon::Warning);
    }
    QCOMPARE(f.folder.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"ORDNER.TXT"});
    QVERIFY(!QFile::exists(f.folder.path("../AUSSEN.TXT")));
}

void ListSaverTest::warnsWhenAnotherComputerChangedTheFile_data() {
    QTest::addColumn<bool>("savedBefore"); // this copy saved the list as LISTE.TXT after loading
    QTest::addColumn<QByteArray>("otherComputer"); // what another computer then writes
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("question"); // empty: none
    QTest::addColumn<QByteArray>("liste"); // LISTE.TXT afterwards
    const QString changed = "Die Datei wurde inzwischen von einem anderen Computer geändert. "
                            "Trotzdem überschreiben?\r";
    const QByteArray theirs = "Neu.\r\n";
    QTest::newRow("changed since loaded, no") << false << theirs << Answer::No << changed << theirs;
    QTest::newRow("written again with the same bytes")
        << false << Old << Answer::Yes << "Die schon vorhandene Datei überschreiben?\r"
        << AnimalBytes;
    QTest::newRow("changed since this copy saved it, yes")
        << true << theirs << Answer::Yes << changed << AnimalBytes;
    QTest::newRow("deleted meanwhile") << false << QByteArray("-") << Answer::Yes << ""
                                       << AnimalBytes;
}

void ListSaverTest::warnsWhenAnotherComputerChangedTheFile() {
    QFETCH(QByteArray, otherComputer);
    QFETCH(Answer, answer);
    QFETCH(QString, question);
    Saving f;
    f.folder.write("LISTE.TXT", Old);
    f.files.refresh();
    f.files.setSelected(f.files.indexOf("LISTE.TXT"));
    f.app.loader.loadEditorSentenceFile(f.files);
    f.app.store.setEntries(Animals);
    QFETCH(bool, savedBefore);
    if (savedBefore)
        QCOMPARE(f.saveAs("LISTE.TXT"), ListSaver::Result::Saved);
    if (otherComputer == "-")
        QVERIFY(QFile::remove(f.folder.path("LISTE.TXT")));
    else
        f.folder.write("LISTE.TXT", otherComputer);
    f.dialogs.clear();
    f.saveAs("liste.txt", answer);
    // One question at most, with the title and buttons of the plain overwrite question.
    const QList<testing::ScriptedDialogs::Box> boxes = f.dialogs.messages();
    QCOMPARE(boxes.constFirst().prompt, question.isEmpty() ? Saved : question);
    QCOMPARE(boxes.size(), answer == Answer::Yes && !question.isEmpty() ? 2 : 1);
    if (!question.isEmpty()) {
        QCOMPARE(boxes.constFirst().title, "LISTE.TXT");
        QCOMPARE(boxes.constFirst().defaultAnswer, Answer::No);
    }
    QTEST(f.folder.read("LISTE.TXT"), "liste");
}

QTEST_GUILESS_MAIN(ListSaverTest)
#include "test_listsaver.moc"
