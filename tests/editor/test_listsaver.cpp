#include "editor/listsaver.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QFile>
#include <QTest>

using namespace tivoral;
using testing::ScriptedDialogs;

namespace {

const QStringList Animals{QStringLiteral("Der Hund bellt."), QStringLiteral("Die Kühe grasen."),
                          QStringLiteral("Der Spaß ist groß.")};
const QByteArray AnimalBytes = "Der Hund bellt.\r\nDie K\xfc"
                               "he grasen.\r\nDer Spa\xdf ist gro\xdf.\r\n";
const QString Question = QStringLiteral("Die schon vorhandene Datei überschreiben?\r");
const QString Saved = QStringLiteral("Die Sätze wurden gespeichert!\r");

struct Fixture {
    testing::WorkFolder folder;
    ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    SentenceFileList files{folder.dir()};
    ListSaver saver{app, files};

    explicit Fixture(const QStringList& sentences = Animals) { app.store.setEntries(sentences); }

    ListSaver::Result saveAs(const QString& name) {
        dialogs.queueInput(name);
        return saver.save();
    }
    QString savedTitle(const QString& fileName) const {
        return folder.path(fileName) + QStringLiteral(" sichern");
    }
};

} // namespace

class ListSaverTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void asksForTheName();
    void fileNameIsStoredInCapitals_data();
    void fileNameIsStoredInCapitals();
    void writesExactBytes_data();
    void writesExactBytes();
    void existingSentenceFileIsReplacedOnlyAfterYes_data();
    void existingSentenceFileIsReplacedOnlyAfterYes();
    void existingFileOfOtherPatternIsOverwrittenWithoutAsking();
    void existingFileInOtherCaseKeepsItsName();
    void writeProtectedFileIsOverwritten();
    void emptyOrCancelledNameWritesNothing();
    void unusableNameIsRefused_data();
    void unusableNameIsRefused();
    void failedWriteIsReportedNotPraised();
    void listAndDisplaysStayAsTheyWere();
};

void ListSaverTest::asksForTheName() {
    Fixture f;
    f.saver.save();
    QCOMPARE(f.dialogs.boxes.size(), 1);
    QVERIFY(f.dialogs.boxes.at(0).isInput);
    QCOMPARE(f.dialogs.boxes.at(0).prompt, QStringLiteral("Namen der Datei eingeben:"));
    QCOMPARE(f.dialogs.boxes.at(0).title, QStringLiteral("Datei speichern"));
    QCOMPARE(f.dialogs.boxes.at(0).defaultText, QString());
}

void ListSaverTest::fileNameIsStoredInCapitals_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("small letters") << QStringLiteral("tiere.txt") << QStringLiteral("TIERE.TXT");
    QTest::newRow("umlaut, ß stays")
        << QStringLiteral("straße über.txt") << QStringLiteral("STRAßE ÜBER.TXT");
    QTest::newRow("no extension added") << QStringLiteral("liste") << QStringLiteral("LISTE");
}

void ListSaverTest::fileNameIsStoredInCapitals() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Fixture f;
    QCOMPARE(f.saveAs(typed), ListSaver::Result::Saved);
    QVERIFY(f.folder.exists(stored));
    QCOMPARE(f.folder.dir().entryList(QDir::Files), QStringList{stored});
    QCOMPARE(f.dialogs.prompts(), QStringList{Saved});
    QCOMPARE(f.dialogs.last().title, f.savedTitle(stored));
    QCOMPARE(f.dialogs.last().icon, Icon::None);
}

void ListSaverTest::writesExactBytes_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("umlauts and ß in Windows-1252") << Animals << AnimalBytes;
    QTest::newRow("empty list gives empty file") << QStringList() << QByteArray();
    QTest::newRow("entries unchanged, blanks kept")
        << QStringList{QStringLiteral(" a  b "), QString()} << QByteArray(" a  b \r\n\r\n");
    QTest::newRow("character outside Windows-1252 gives UTF-8 with BOM")
        << QStringList{QStringLiteral("Grüße ☺")}
        << QByteArray("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
                      "e \xE2\x98\xBA\r\n");
}

void ListSaverTest::writesExactBytes() {
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, bytes);
    Fixture f(entries);
    QCOMPARE(f.saveAs(QStringLiteral("SÄTZE.TXT")), ListSaver::Result::Saved);
    QCOMPARE(f.folder.read(QStringLiteral("SÄTZE.TXT")), bytes);
}

void ListSaverTest::existingSentenceFileIsReplacedOnlyAfterYes_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("yes replaces") << Answer::Yes << AnimalBytes;
    QTest::newRow("no keeps") << Answer::No << QByteArray("Alt.\r\n");
}

void ListSaverTest::existingSentenceFileIsReplacedOnlyAfterYes() {
    QFETCH(Answer, answer);
    QFETCH(QByteArray, contents);
    Fixture f;
    f.folder.write(QStringLiteral("LISTE.TXT"), "Alt.\r\n");
    f.files.refresh();
    f.dialogs.queueAnswer(answer);
    f.saveAs(QStringLiteral("liste.txt"));

    const ScriptedDialogs::Box question = f.dialogs.messages().constFirst();
    QCOMPARE(question.prompt, Question);
    QCOMPARE(question.title, QStringLiteral("LISTE.TXT"));
    QCOMPARE(question.buttons, Buttons::YesNo);
    QCOMPARE(question.icon, Icon::Question);
    QCOMPARE(question.defaultAnswer, Answer::No);
    QCOMPARE(f.folder.read(QStringLiteral("LISTE.TXT")), contents);
    QCOMPARE(f.dialogs.messages().size(), answer == Answer::Yes ? 2 : 1);
}

void ListSaverTest::existingFileOfOtherPatternIsOverwrittenWithoutAsking() {
    Fixture f;
    f.folder.write(QStringLiteral("LISTE.TIV"), "Alt.\r\n");
    f.files.refresh();
    QCOMPARE(f.saveAs(QStringLiteral("liste.tiv")), ListSaver::Result::Saved);
    QCOMPARE(f.dialogs.prompts(), QStringList{Saved});
    QCOMPARE(f.folder.read(QStringLiteral("LISTE.TIV")), AnimalBytes);
}

void ListSaverTest::existingFileInOtherCaseKeepsItsName() {
    // The folder is treated as the file list sees it, without regard to case: the file the
    // question names is the one replaced, not a second file beside it.
    Fixture f;
    f.folder.write(QStringLiteral("tiere.txt"), "Alt.\r\n");
    f.dialogs.queueAnswer(Answer::Yes);
    QCOMPARE(f.saveAs(QStringLiteral("Tiere.TXT")), ListSaver::Result::Saved);
    QCOMPARE(f.folder.dir().entryList(QDir::Files), QStringList{QStringLiteral("tiere.txt")});
    QCOMPARE(f.folder.read(QStringLiteral("tiere.txt")), AnimalBytes);
    QCOMPARE(f.dialogs.last().title, f.savedTitle(QStringLiteral("tiere.txt")));
}

void ListSaverTest::writeProtectedFileIsOverwritten() {
    Fixture f;
    const QString name = QStringLiteral("GESCHÜTZT.TXT");
    f.folder.write(name, "Alt.\r\n");
    QFile::setPermissions(f.folder.path(name), QFile::ReadOwner | QFile::ReadGroup);
    f.dialogs.queueAnswer(Answer::Yes);
    QCOMPARE(f.saveAs(name), ListSaver::Result::Saved);
    QCOMPARE(f.folder.read(name), AnimalBytes);
    QVERIFY(QFile::permissions(f.folder.path(name)) & QFile::WriteOwner);
}

void ListSaverTest::emptyOrCancelledNameWritesNothing() {
    Fixture f;
    QCOMPARE(f.saveAs(QString()), ListSaver::Result::Cancelled);
    QVERIFY(f.dialogs.messages().isEmpty());
    QVERIFY(f.folder.dir().entryList(QDir::Files).isEmpty());
}

void ListSaverTest::unusableNameIsRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("parent folder") << QStringLiteral("../AUSSEN.TXT");
    QTest::newRow("sub folder") << QStringLiteral("ordner/x.txt");
    QTest::newRow("absolute path") << QStringLiteral("/tmp/x.txt");
    QTest::newRow("backslash") << QStringLiteral("C:\\x.txt");
    QTest::newRow("dot") << QStringLiteral(".");
    QTest::newRow("dot dot") << QStringLiteral("..");
    QTest::newRow("blanks only") << QStringLiteral("   ");
    QTest::newRow("tab") << QStringLiteral("a\tb.txt");
    QTest::newRow("line break") << QStringLiteral("a\rb.txt");
    QTest::newRow("too long") << QString(300, QLatin1Char('A'));
    QTest::newRow("name of a folder") << QStringLiteral("ordner");
}

void ListSaverTest::unusableNameIsRefused() {
    QFETCH(QString, typed);
    Fixture f;
    f.folder.dir().mkdir(QStringLiteral("ORDNER"));
    const QStringList before = f.folder.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QCOMPARE(f.saveAs(typed), ListSaver::Result::Refused);
    QCOMPARE(f.dialogs.messages().size(), 1);
    QVERIFY(f.dialogs.last().prompt.contains(typed));
    QCOMPARE(f.dialogs.last().icon, Icon::Warning);
    QVERIFY(!f.dialogs.prompts().contains(Saved));
    QCOMPARE(f.folder.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(!QFile::exists(f.folder.dir().absoluteFilePath(QStringLiteral("../AUSSEN.TXT"))));
}

void ListSaverTest::failedWriteIsReportedNotPraised() {
    testing::WorkFolder folder;
    ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    const QDir gone(folder.path(QStringLiteral("entfernt")));
    AppState app(gone, dialogs, random);
    app.store.setEntries(Animals);
    SentenceFileList files(gone);
    ListSaver saver(app, files);
    dialogs.queueInput(QStringLiteral("x.txt"));
    QCOMPARE(saver.save(), ListSaver::Result::Failed);
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY(dialogs.last().prompt.startsWith(
        QStringLiteral("Die Sätze konnten nicht gespeichert werden.\r")));
    QCOMPARE(dialogs.last().icon, Icon::Warning);
}

void ListSaverTest::listAndDisplaysStayAsTheyWere() {
    Fixture f;
    f.app.store.setSelected(1);
    f.app.fileStatus.setLoaded(QStringLiteral(" 3"), QStringLiteral("/x/TIERE.TXT"),
                               QStringLiteral("TIERE.TXT"));
    QCOMPARE(f.saveAs(QStringLiteral("neu.txt")), ListSaver::Result::Saved);
    QCOMPARE(f.app.store.entries(), Animals);
    QCOMPARE(f.app.store.selected(), 1);
    QCOMPARE(f.app.fileStatus.editorFile, QStringLiteral("/x/TIERE.TXT"));
    QCOMPARE(f.app.fileStatus.editorCount, QStringLiteral(" 3 Sätze gefunden."));
    QVERIFY(f.files.indexOf(QStringLiteral("NEU.TXT")) >= 0);
}

QTEST_GUILESS_MAIN(ListSaverTest)
#include "test_listsaver.moc"
