#include "editor/listsaver.h"
#include "editor/sessionrecovery.h"
#include "editor/unsavededits.h"
#include "support/fixture.h"

#include <QFile>
#include <QTest>

using namespace tivoral;

namespace {

const QByteArray AnimalBytes = "Der Hund bellt.\r\nDer Spa\xdf ist gro\xdf.\r\n";
const QByteArray Old = "Alt.\r\n";
const QString Saved = "Die Sätze wurden gespeichert!\r";
const QString Overwrite = "Die schon vorhandene Datei überschreiben?\r";

// A list of two sentences about to be saved into a folder that holds `existing`, write-protected.
struct Saving : testing::Fixture {
    SentenceFileList files{folder.dir()};
    ListSaver saver{app, files};

    explicit Saving(const QString& existing = {}) {
        app.store.setEntries({"Der Hund bellt.", "Der Spaß ist groß."});
        if (existing.isEmpty())
            return;
        folder.write(existing, Old);
        QFile::setPermissions(folder.path(existing), QFile::ReadOwner);
        files.refresh();
    }
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
    void refusesNamesOutsideTheFolder();
    void asksBeforeCuttingAPartlyLoadedFile();
    void warnsWhenAnotherComputerChangedTheFile_data();
    void warnsWhenAnotherComputerChangedTheFile();
    void editsOutliveTheSessionsEnd_data();
    void editsOutliveTheSessionsEnd();
};

void ListSaverTest::savesUnderCapitalNameAfterAskingForTxt_data() {
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("question"); // title of the overwrite question, empty when none
    QTest::addColumn<QString>("stored");   // the file holding the list afterwards, empty: none
    const auto row = [](const char* name, const QString& existing, const QString& typed,
                        Answer answer, const QString& question, const QString& stored) {
        QTest::newRow(name) << existing << typed << answer << question << stored;
    };
    row("ß stays ß", "", "straße.txt", Answer::Yes, "", "STRAßE.TXT");
    row("trailing blanks", "", "saetze  ", Answer::Yes, "", "SAETZE.TXT");
    row("existing TXT, no", "LISTE.TXT", "Liste", Answer::No, "LISTE.TXT", "");
    row("existing export, yes", "LERNSTAND.CSV", "lernstand.csv", Answer::Yes, "LERNSTAND.CSV",
        "LERNSTAND.CSV");
    // The file the question names is replaced, not joined by a second one in capitals.
    row("existing in small letters keeps its name", "tiere.txt", "Tiere.TXT", Answer::Yes,
        "TIERE.TXT", "tiere.txt");
}

void ListSaverTest::savesUnderCapitalNameAfterAskingForTxt() {
    QFETCH(QString, existing);
    QFETCH(QString, question);
    QFETCH(QString, stored);
    Saving f(existing);
    QFETCH(QString, typed);
    QFETCH(Answer, answer);
    const ListSaver::Result result = f.saveAs(typed, answer);
    QCOMPARE(f.dialogs.prompts(), QStringList(question.isEmpty() ? 0 : 1, Overwrite) +
                                      QStringList(stored.isEmpty() ? 0 : 1, Saved));
    const testing::ScriptedDialogs::Box asked = f.dialogs.messages().constFirst();
    QVERIFY(question.isEmpty() || (asked.title == question && asked.defaultAnswer == Answer::No));
    QCOMPARE(f.folder.read(stored.isEmpty() ? existing : stored),
             stored.isEmpty() ? Old : AnimalBytes);
    QVERIFY(stored.isEmpty() || QFile::permissions(f.folder.path(stored)) & QFile::WriteOwner);
    QCOMPARE(f.files.indexOf(stored) >= 0, stored.endsWith(".txt", Qt::CaseInsensitive));
    QCOMPARE(result, stored.isEmpty() ? ListSaver::Result::Declined : ListSaver::Result::Saved);
    QCOMPARE(f.folder.dir().entryList(QDir::Files).size(), 1);
}

void ListSaverTest::refusesNamesOutsideTheFolder() {
    // 126 umlauts are 256 bytes with the extension, one more than a file name may hold.
    for (const QString& typed : QStringList{"", "../AUSSEN.TXT", "ordner", "tivoral.inf",
                                            "tıvoral.ınf", ".", QString(126, u'ä')}) {
        Saving f;
        f.folder.dir().mkdir("ORDNER.TXT");
        QCOMPARE(f.saveAs(typed),
                 typed.isEmpty() ? ListSaver::Result::Cancelled : ListSaver::Result::Refused);
        QCOMPARE(f.dialogs.messages().size(), typed.isEmpty() ? 0 : 1);
        QVERIFY(typed.isEmpty() || f.dialogs.last().prompt.contains(typed) ||
                f.dialogs.last().prompt.startsWith("TIVORAL.INF "));
        QCOMPARE(f.folder.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"ORDNER.TXT"});
        QVERIFY(!QFile::exists(f.folder.path("../AUSSEN.TXT")));
    }
}

void ListSaverTest::asksBeforeCuttingAPartlyLoadedFile() {
    Saving f;
    const QByteArray big = QByteArray("Satz.\r\n").repeated(SentenceStore::MaxEntries + 3);
    f.folder.write("GROSS.TXT", big);
    f.files.refresh();
    f.files.setSelected(f.files.indexOf("GROSS.TXT"));
    f.app.loader.loadEditorSentenceFile(f.files);
    f.dialogs.clear();
    QCOMPARE(f.saveAs("gross.txt", Answer::No), ListSaver::Result::Declined);
    QCOMPARE(f.dialogs.prompts(),
             QStringList{"Die Liste wurde nur zum Teil geladen. Beim Speichern gingen 3 Sätze der "
                         "Datei verloren.\rTrotzdem speichern?\r"});
    QCOMPARE(f.folder.read("GROSS.TXT"), big);
    // Under another name nothing is lost.
    QCOMPARE(f.saveAs("TEIL.TXT"), ListSaver::Result::Saved);
}

void ListSaverTest::warnsWhenAnotherComputerChangedTheFile_data() {
    QTest::addColumn<bool>("savedBefore"); // this copy saved the list as LISTE.TXT after loading
    QTest::addColumn<QByteArray>("otherComputer"); // what another computer then writes, - deletes
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("question"); // empty: none
    QTest::addColumn<QByteArray>("liste"); // LISTE.TXT afterwards
    const QString changed = "Die Datei wurde inzwischen von einem anderen Computer geändert. "
                            "Trotzdem überschreiben?\r";
    const QByteArray theirs = "Neu.\r\n";
    QTest::newRow("changed since loaded, no") << false << theirs << Answer::No << changed << theirs;
    QTest::newRow("written again, same bytes")
        << false << Old << Answer::Yes << Overwrite << AnimalBytes;
    QTest::newRow("changed since this copy saved it, yes")
        << true << theirs << Answer::Yes << changed << AnimalBytes;
    QTest::newRow("deleted meanwhile")
        << false << QByteArray("-") << Answer::Yes << "" << AnimalBytes;
}

void ListSaverTest::warnsWhenAnotherComputerChangedTheFile() {
    QFETCH(QByteArray, otherComputer);
    QFETCH(Answer, answer);
    QFETCH(QString, question);
    Saving f("LISTE.TXT");
    const QStringList entries = f.app.store.entries();
    f.files.setSelected(f.files.indexOf("LISTE.TXT"));
    f.app.loader.loadEditorSentenceFile(f.files);
    f.app.store.setEntries(entries);
    QFETCH(bool, savedBefore);
    if (savedBefore)
        QCOMPARE(f.saveAs("LISTE.TXT"), ListSaver::Result::Saved);
    // The other computer's user may write the file.
    QFile::setPermissions(f.folder.path("LISTE.TXT"), QFile::ReadOwner | QFile::WriteOwner);
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
    QVERIFY(question.isEmpty() ||
            (boxes[0].title == "LISTE.TXT" && boxes[0].defaultAnswer == Answer::No));
    QTEST(f.folder.read("LISTE.TXT"), "liste");
}

void ListSaverTest::editsOutliveTheSessionsEnd_data() {
    QTest::addColumn<Answer>("restore");
    QTest::newRow("restored") << Answer::Yes;
    QTest::newRow("declined") << Answer::No;
}

void ListSaverTest::editsOutliveTheSessionsEnd() {
    QFETCH(Answer, restore);
    const QStringList edited{"Der Hund bellt.", "Der Spaß ist groß."};
    Saving ending; // the two sentences, never saved
    UnsavedEditsQuestion question(ending.app, ending.saver);
    SessionRecovery recovery(ending.app, question);
    // Where the session manager lets the program ask, the teacher may stay.
    ending.dialogs.queueAnswer(Answer::Cancel);
    QVERIFY(!recovery.sessionEnds(true));
    QCOMPARE(ending.dialogs.prompts(), QStringList{"Die Änderungen speichern?"});
    QVERIFY(recovery.sessionEnds(false));
    QCOMPARE(ending.dialogs.prompts().size(), 1);

    // The next run over the same folder, its own list loaded.
    Saving next;
    next.folder.write("TIVORAL.REC", ending.folder.read("TIVORAL.REC"));
    next.app.store.setEntries({"Alt."});
    next.app.store.markAsSaved();
    UnsavedEditsQuestion nextQuestion(next.app, next.saver);
    SessionRecovery nextRecovery(next.app, nextQuestion);
    next.dialogs.queueAnswer(restore);
    nextRecovery.offerKeptEdits();
    QCOMPARE(next.dialogs.prompts(), QStringList{SessionRecovery::offerPrompt(2)});
    QCOMPARE(next.app.store.entries(), restore == Answer::Yes ? edited : QStringList{"Alt."});
    // Restored edits are edits: leaving the editor still asks to save them.
    QCOMPARE(next.app.store.hasUnsavedEdits(), restore == Answer::Yes);
    QVERIFY(!QFile::exists(next.folder.path("TIVORAL.REC")));
}

QTEST_GUILESS_MAIN(ListSaverTest)
#include "test_listsaver.moc"
