#include "editor/listsaver.h"
#include "support/fixture.h"

#include <QFile>
#include <QTest>

using namespace tivoral;

namespace {

const QStringList Animals{"Der Hund bellt.", "Der Spaß ist groß."};
const QByteArray AnimalBytes = "Der Hund bellt.\r\nDer Spa\xdf ist gro\xdf.\r\n";
const QByteArray Old = "Alt.\r\n";

struct Saving : testing::Fixture {
    SentenceFileList files{folder.dir()};
    ListSaver saver{app, files};

    explicit Saving(const QStringList& sentences = Animals) { app.store.setEntries(sentences); }
    ListSaver::Result saveAs(const QString& name) {
        dialogs.queueInput(name);
        return saver.save();
    }
    QStringList fileNames() const { return folder.dir().entryList(QDir::Files); }
};

} // namespace

class ListSaverTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savesUnderCapitalNameAfterAskingForTxt_data();
    void savesUnderCapitalNameAfterAskingForTxt();
    void writesExactBytes_data();
    void writesExactBytes();
    void refusesNamesOutsideTheFolder_data();
    void refusesNamesOutsideTheFolder();
    void failedWriteIsReportedNotPraised();
    void warnsWhenAnotherComputerChangedTheFile_data();
    void warnsWhenAnotherComputerChangedTheFile();
};

void ListSaverTest::savesUnderCapitalNameAfterAskingForTxt_data() {
    QTest::addColumn<QString>("existing"); // a file already in the folder, or none
    QTest::addColumn<bool>("writeProtected");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("question"); // title of the overwrite question, empty when none
    QTest::addColumn<QString>("stored");   // the file holding the list afterwards
    QTest::newRow("small letters") << "" << false << "tiere.txt" << Answer::Yes << ""
                                   << "TIERE.TXT";
    QTest::newRow("ß stays ß") << "" << false << "straße.txt" << Answer::Yes << ""
                               << "STRAßE.TXT";
    QTest::newRow("existing TXT, yes")
        << "LISTE.TXT" << false << "liste.txt" << Answer::Yes << "LISTE.TXT"
        << "LISTE.TXT";
    QTest::newRow("existing TXT, no")
        << "LISTE.TXT" << false << "Liste.txt" << Answer::No << "LISTE.TXT"
        << "";
    QTest::newRow("no extension gets .TXT") << "" << false << "tiere" << Answer::Yes << ""
                                            << "TIERE.TXT";
    QTest::newRow("no extension, existing TXT")
        << "LISTE.TXT" << false << "liste" << Answer::Yes << "LISTE.TXT"
        << "LISTE.TXT";
    QTest::newRow("existing TIV, no question")
        << "LISTE.TIV" << false << "liste.tiv" << Answer::No << ""
        << "LISTE.TIV";
    QTest::newRow("write-protected")
        << "LISTE.TXT" << true << "LISTE.TXT" << Answer::Yes << "LISTE.TXT"
        << "LISTE.TXT";
    // The file the question names is replaced, not joined by a second one in capitals.
    QTest::newRow("existing in small letters keeps its name")
        << "tiere.txt" << false << "Tiere.TXT" << Answer::Yes << "TIERE.TXT"
        << "tiere.txt";
}

void ListSaverTest::savesUnderCapitalNameAfterAskingForTxt() {
    QFETCH(QString, existing);
    QFETCH(bool, writeProtected);
    QFETCH(QString, typed);
    QFETCH(Answer, answer);
    QFETCH(QString, question);
    QFETCH(QString, stored);
    Saving f;
    if (!existing.isEmpty()) {
        f.folder.write(existing, Old);
        if (writeProtected)
            QFile::setPermissions(f.folder.path(existing), QFile::ReadOwner | QFile::ReadGroup);
    }
    f.dialogs.queueAnswer(answer);
    const ListSaver::Result result = f.saveAs(typed);

    QCOMPARE(f.dialogs.boxes.constFirst().prompt, "Namen der Datei eingeben:");
    QCOMPARE(f.dialogs.boxes.constFirst().title, "Datei speichern");
    QStringList prompts;
    if (!question.isEmpty()) {
        prompts.append("Die schon vorhandene Datei überschreiben?\r");
        QCOMPARE(f.dialogs.messages().constFirst().title, question);
        QCOMPARE(f.dialogs.messages().constFirst().defaultAnswer, Answer::No);
    }
    if (!stored.isEmpty()) {
        prompts.append("Die Sätze wurden gespeichert!\r");
        QCOMPARE(f.dialogs.last().title, f.folder.path(stored) + " sichern");
        QCOMPARE(f.folder.read(stored), AnimalBytes);
        QVERIFY(QFile::permissions(f.folder.path(stored)) & QFile::WriteOwner);
        QCOMPARE(f.files.indexOf(stored) >= 0, stored.endsWith(".txt", Qt::CaseInsensitive));
    }
    QCOMPARE(f.dialogs.prompts(), prompts);
    QCOMPARE(result, stored.isEmpty() ? ListSaver::Result::Declined : ListSaver::Result::Saved);
    QCOMPARE(f.fileNames().size(), 1);
    if (stored.isEmpty())
        QCOMPARE(f.folder.read(existing), Old);
}

void ListSaverTest::writesExactBytes_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Windows-1252, CR LF") << Animals << AnimalBytes;
    QTest::newRow("empty list, empty file") << QStringList() << QByteArray();
    QTest::newRow("entries unchanged") << QStringList{" a  b ", ""} << QByteArray(" a  b \r\n\r\n");
    QTest::newRow("beyond Windows-1252: UTF-8 with BOM")
        << QStringList{"Grüße ☺"}
        << QByteArray("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
                      "e \xE2\x98\xBA\r\n");
}

void ListSaverTest::writesExactBytes() {
    QFETCH(QStringList, entries);
    Saving f(entries);
    QCOMPARE(f.saveAs("SÄTZE.TXT"), ListSaver::Result::Saved);
    QTEST(f.folder.read("SÄTZE.TXT"), "bytes");
}

void ListSaverTest::refusesNamesOutsideTheFolder_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("cancelled or empty") << "";
    QTest::newRow("parent folder") << "../AUSSEN.TXT";
    QTest::newRow("sub folder") << "ordner/x.txt";
    QTest::newRow("absolute path") << "/tmp/x.txt";
    QTest::newRow("backslash") << "C:\\x.txt";
    QTest::newRow("line break") << "a\rb.txt";
    QTest::newRow("too long") << QString(300, 'A');
    QTest::newRow("name of a folder") << "ordner";
    // The program's own files, whatever the letter case.
    QTest::newRow("users file") << "tivoral.inf";
    QTest::newRow("high-score list") << "bestdose.LST";
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

void ListSaverTest::failedWriteIsReportedNotPraised() {
    testing::WorkFolder folder;
    testing::ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    const QDir gone(folder.path("entfernt"));
    AppState app(gone, dialogs, random);
    SentenceFileList files(gone);
    ListSaver saver(app, files);
    dialogs.queueInput("x.txt");
    QCOMPARE(saver.save(), ListSaver::Result::Failed);
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY(dialogs.last().prompt.startsWith("Die Sätze konnten nicht gespeichert werden.\r"));
}

void ListSaverTest::warnsWhenAnotherComputerChangedTheFile_data() {
    QTest::addColumn<bool>("savedBefore"); // this copy saved the list as LISTE.TXT after loading
    QTest::addColumn<QByteArray>("otherComputer"); // what another computer then writes
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("question"); // empty: none
    QTest::addColumn<QByteArray>("liste"); // LISTE.TXT afterwards

    const QString exists = "Die schon vorhandene Datei überschreiben?\r";
    const QString changed = "Die Datei wurde inzwischen von einem anderen Computer geändert. "
                            "Trotzdem überschreiben?\r";
    const QByteArray theirs = "Neu.\r\n";
    QTest::newRow("unchanged since loaded")
        << false << QByteArray() << Answer::Yes << exists << AnimalBytes;
    QTest::newRow("changed since loaded, no") << false << theirs << Answer::No << changed << theirs;
    QTest::newRow("written again with the same bytes")
        << false << Old << Answer::Yes << exists << AnimalBytes;
    QTest::newRow("unchanged since this copy saved it")
        << true << QByteArray() << Answer::Yes << exists << AnimalBytes;
    QTest::newRow("changed since this copy saved it, yes")
        << true << theirs << Answer::Yes << changed << AnimalBytes;
    QTest::newRow("deleted meanwhile")
        << false << QByteArray("-") << Answer::Yes << "" << AnimalBytes;
}

void ListSaverTest::warnsWhenAnotherComputerChangedTheFile() {
    QFETCH(bool, savedBefore);
    QFETCH(QByteArray, otherComputer);
    QFETCH(Answer, answer);
    QFETCH(QString, question);
    Saving f;
    f.folder.write("LISTE.TXT", Old);
    f.files.refresh();
    f.files.setSelected(f.files.indexOf("LISTE.TXT"));
    f.app.loader.loadEditorSentenceFile(f.files);
    f.app.store.setEntries(Animals);
    if (savedBefore) {
        f.dialogs.queueAnswer(Answer::Yes);
        QCOMPARE(f.saveAs("LISTE.TXT"), ListSaver::Result::Saved);
    }
    if (otherComputer == "-")
        QVERIFY(QFile::remove(f.folder.path("LISTE.TXT")));
    else if (!otherComputer.isEmpty())
        f.folder.write("LISTE.TXT", otherComputer);

    f.dialogs.clear();
    f.dialogs.queueAnswer(answer);
    f.saveAs("liste.txt");
    // One question at most, with the title and buttons of the plain overwrite question.
    const QList<testing::ScriptedDialogs::Box> boxes = f.dialogs.messages();
    QCOMPARE(boxes.constFirst().prompt,
             question.isEmpty() ? "Die Sätze wurden gespeichert!\r" : question);
    QCOMPARE(boxes.size(), answer == Answer::Yes && !question.isEmpty() ? 2 : 1);
    if (!question.isEmpty()) {
        QCOMPARE(boxes.constFirst().title, "LISTE.TXT");
        QCOMPARE(boxes.constFirst().defaultAnswer, Answer::No);
    }
    QTEST(f.folder.read("LISTE.TXT"), "liste");
}

QTEST_GUILESS_MAIN(ListSaverTest)
#include "test_listsaver.moc"
