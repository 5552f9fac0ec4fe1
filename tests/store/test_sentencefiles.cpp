#include "platform/textfile.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QFile>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Tivoral = QStringLiteral("Tivoral");
const QString FileError = QStringLiteral("Es ist ein Dateifehler aufgetreten.");
const QString FileErrorPrompt = QStringLiteral("Es ist ein Dateifehler aufgetreten.\r");
const QByteArray WorkedExample("Erster Satz.\r\n\r\n   \r\n  Der  Hund   bellt.  \r\n");
const QStringList WorkedExampleEntries{QStringLiteral("Erster Satz."),
                                       QStringLiteral(" Der Hund bellt.")};

// The main window's state over a temporary working folder, with one file list per window.
struct Session {
    WorkFolder folder;
    ScriptedDialogs dialogs;
    SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    SentenceFileList editorFiles{folder.dir()};

    void open(const QString& name, bool editor = false) {
        SentenceFileList& list = editor ? editorFiles : app.mainFiles;
        list.refresh();
        list.setSelected(list.indexOf(name));
        editor ? app.loader.loadEditorSentenceFile(list) : app.loader.loadSentenceFile(list);
    }
    void load(const QString& name, const QByteArray& bytes, bool editor = false) {
        folder.write(name, bytes);
        open(name, editor);
    }
};

QByteArray numberedSentences(int count, bool blankLineBetween) {
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += "Satz " + QByteArray::number(i) + (blankLineBetween ? "\r\n   \r\n" : "\r\n");
    return bytes;
}

bool writesAreRefusedHere(const QDir& dir) {
    QFile probe(dir.filePath(QStringLiteral("probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return true;
    probe.remove();
    return false;
}

} // namespace

class SentenceFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleansUpBlanks_data();
    void cleansUpBlanks();
    void loadsSentences_data();
    void loadsSentences();
    void fileWithoutSentencesKeepsPreviousCount_data();
    void fileWithoutSentencesKeepsPreviousCount();
    void createsDefaultFileInEmptyFolder();
    void survivesUnwritableDefaultFile_data();
    void survivesUnwritableDefaultFile();
    void showsFileNameInCapitals_data();
    void showsFileNameInCapitals();
    void loadsAtMostMaxEntries_data();
    void loadsAtMostMaxEntries();
    void loadsWriteProtectedFile();
    void listsTxtFilesWithoutRegardToCase();
    void previewNeedsSelectedFile();
};

void SentenceFilesTest::cleansUpBlanks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cleaned");
    QTest::newRow("worked example")
        << QStringLiteral("  Der  Hund   bellt.  ") << QStringLiteral(" Der Hund bellt.");
    QTest::newRow("clean stays") << QStringLiteral("Ein Satz.") << QStringLiteral("Ein Satz.");
    QTest::newRow("blanks only") << QStringLiteral("    ") << QString();
    QTest::newRow("tabs stay") << QStringLiteral("a\t\tb \t  c\t")
                               << QStringLiteral("a\t\tb \t c\t");
    QTest::newRow("long run") << QStringLiteral("a") + QString(1000, u' ') + QStringLiteral("b")
                              << QStringLiteral("a b");
}

void SentenceFilesTest::cleansUpBlanks() {
    QFETCH(QString, text);
    QFETCH(QString, cleaned);
    QCOMPARE(normaliseSentence(text), cleaned);
}

void SentenceFilesTest::loadsSentences_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("editor");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("worked example, main") << WorkedExample << false << WorkedExampleEntries;
    // The editor keeps the line of blanks, and the clean-up removes it as an empty sentence.
    QTest::newRow("worked example, editor") << WorkedExample << true << WorkedExampleEntries;
    QTest::newRow("UTF-8 with LF")
        << QByteArray("Gr\xC3\xBC\xC3\x9F"
                      "e aus K\xC3\xB6ln.\nZwei  S\xC3\xA4tze.\n")
        << false << QStringList{QStringLiteral("Grüße aus Köln."), QStringLiteral("Zwei Sätze.")};
    QTest::newRow("Windows-1252 without final line end")
        << QByteArray("Der Bauer f\xE4hrt.\r\nSpa\xDF") << true
        << QStringList{QStringLiteral("Der Bauer fährt."), QStringLiteral("Spaß")};
    QTest::newRow("duplicates stay")
        << QByteArray("Hallo.\r\nHallo.\r\n") << false
        << QStringList{QStringLiteral("Hallo."), QStringLiteral("Hallo.")};
}

void SentenceFilesTest::loadsSentences() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, editor);
    QFETCH(QStringList, entries);
    Session s;
    s.load(QStringLiteral("SAETZE.TXT"), bytes, editor);
    QCOMPARE(s.app.store.entries(), entries);
    QCOMPARE(s.app.store.selected(), 0);
    const QString count = QLatin1Char(' ') + QString::number(entries.size());
    QCOMPARE(s.app.fileStatus.editorCount, count + QStringLiteral(" Sätze gefunden."));
    QCOMPARE(s.app.fileStatus.mainCount, count);
    QCOMPARE(s.app.fileStatus.editorFile,
             QDir::toNativeSeparators(s.folder.path(QStringLiteral("SAETZE.TXT"))));
    QVERIFY(s.dialogs.boxes.isEmpty());
}

void SentenceFilesTest::fileWithoutSentencesKeepsPreviousCount_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("editor");
    QTest::addColumn<QString>("countLabel");
    QTest::addColumn<QString>("prompt");
    const QString editorLabel = QStringLiteral("Keine Sätze gefunden.");
    const QString editorPrompt = QStringLiteral("Keine Dosensätze gefunden!\r");
    QTest::newRow("empty, main") << QByteArray() << false << FileError << FileErrorPrompt;
    QTest::newRow("blanks only, main")
        << QByteArray("  \r\n \r\n") << false << FileError << FileErrorPrompt;
    QTest::newRow("one overlong line, main")
        << QByteArray(textfile::ReadLimits::DefaultMaxLineBytes + 1, 'x') << false << FileError
        << FileErrorPrompt;
    QTest::newRow("empty, editor") << QByteArray() << true << editorLabel << editorPrompt;
    QTest::newRow("blanks only, editor")
        << QByteArray("   \r\n") << true << editorLabel << editorPrompt;
}

void SentenceFilesTest::fileWithoutSentencesKeepsPreviousCount() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, editor);
    QFETCH(QString, countLabel);
    QFETCH(QString, prompt);
    Session s;
    s.load(QStringLiteral("erste.txt"), "A.\r\nB.\r\nC.\r\n");
    s.load(QStringLiteral("leer.txt"), bytes, editor);

    QVERIFY(s.app.store.isEmpty());
    QCOMPARE(s.app.store.selected(), SentenceStore::NoSelection);
    QCOMPARE(s.app.fileStatus.editorCount, countLabel);
    QCOMPARE(s.app.fileStatus.mainCount, QStringLiteral(" 3"));
    QCOMPARE(s.app.fileStatus.mainFileName, QStringLiteral("ERSTE.TXT"));
    QCOMPARE(s.dialogs.prompts(), QStringList{prompt});
    QCOMPARE(s.dialogs.last().title, Tivoral);
    QCOMPARE(s.dialogs.last().icon, Icon::None);
    // The teacher lock still expects the count of the file loaded before.
    s.dialogs.queueInput(QStringLiteral("3"));
    QVERIFY(askTeacherPassword(s.app));
}

void SentenceFilesTest::createsDefaultFileInEmptyFolder() {
    Session s;
    s.app.loader.loadSentenceFile(s.app.mainFiles);

    QCOMPARE(s.dialogs.prompts(),
             QStringList{QStringLiteral("Es wurden keine Dosensätze gefunden,\r"
                                        "darum wird eine Standarddatei erzeugt.\r")});
    QCOMPARE(s.dialogs.last().title, QStringLiteral("Dosensätze"));
    QCOMPARE(s.dialogs.last().icon, Icon::Warning);
    QCOMPARE(s.folder.read(QStringLiteral("TIVORAL.TXT")),
             QByteArray("Nach dem Essen mache ich meine Hausaufgaben.\r\n"
                        "Die Schule macht mir heute gar keinen Spa\xDF.\r\n"
                        "Der Bauer f\xE4hrt mit dem Traktor aufs Feld.\r\n"
                        "Vater bringt das Auto in die Werkstatt.\r\n"
                        "Auf der Autobahn ist ein Stau entstanden.\r\n"));
    QCOMPARE(s.app.mainFiles.selectedName(), QStringLiteral("TIVORAL.TXT"));
    QCOMPARE(s.app.fileStatus.mainFileName, QStringLiteral("TIVORAL.TXT"));
    QCOMPARE(s.app.store.count(), 5);
    QCOMPARE(s.app.store.entry(1), QStringLiteral("Die Schule macht mir heute gar keinen Spaß."));
    QCOMPARE(s.app.fileStatus.mainCount, QStringLiteral(" 5"));
}

void SentenceFilesTest::survivesUnwritableDefaultFile_data() {
    QTest::addColumn<bool>("lockFolder");
    QTest::newRow("TIVORAL.TXT is a folder") << false;
    QTest::newRow("folder without write access") << true;
}

void SentenceFilesTest::survivesUnwritableDefaultFile() {
    QFETCH(bool, lockFolder);
    Session s;
    const QString folderPath = s.folder.dir().path();
    if (lockFolder) {
        QFile::setPermissions(folderPath, QFile::ReadOwner | QFile::ExeOwner);
        if (!writesAreRefusedHere(s.folder.dir())) {
            QFile::setPermissions(folderPath,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("folder permissions do not stop this user (root)");
        }
    } else {
        QVERIFY(s.folder.dir().mkdir(QStringLiteral("TIVORAL.TXT")));
    }
    s.app.store.setEntries({QStringLiteral("alt")});
    s.app.loader.loadSentenceFile(s.app.mainFiles);
    QFile::setPermissions(folderPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QVERIFY(s.app.store.isEmpty());
    QCOMPARE(s.dialogs.messages().size(), 2);
    QVERIFY(s.dialogs.prompts().constLast().contains(QStringLiteral("TIVORAL.TXT")));
    QCOMPARE(s.app.fileStatus.mainCount, QStringLiteral("0"));
}

void SentenceFilesTest::showsFileNameInCapitals_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("small letters") << QStringLiteral("tiere.txt") << QStringLiteral("TIERE.TXT");
    QTest::newRow("umlaut") << QStringLiteral("übung.Txt") << QStringLiteral("ÜBUNG.TXT");
    QTest::newRow("ß stays") << QStringLiteral("straße.txt") << QStringLiteral("STRAßE.TXT");
}

void SentenceFilesTest::showsFileNameInCapitals() {
    QFETCH(QString, name);
    QFETCH(QString, shown);
    Session s;
    s.load(name, "Ein Satz.\r\n");
    QCOMPARE(s.app.fileStatus.mainFileName, shown);
}

void SentenceFilesTest::loadsAtMostMaxEntries_data() {
    QTest::addColumn<int>("sentences");
    QTest::addColumn<bool>("blankLineBetween");
    QTest::addColumn<bool>("editor");
    QTest::addColumn<bool>("tooMany");
    const int max = SentenceStore::MaxEntries;
    QTest::newRow("exactly the limit") << max << false << false << false;
    QTest::newRow("one more, main") << max + 1 << false << false << true;
    QTest::newRow("many more, editor") << 3 * max << false << true << true;
    QTest::newRow("blank lines do not count, main") << max << true << false << false;
    QTest::newRow("blank lines do not count, editor") << max << true << true << false;
}

void SentenceFilesTest::loadsAtMostMaxEntries() {
    QFETCH(int, sentences);
    QFETCH(bool, blankLineBetween);
    QFETCH(bool, editor);
    QFETCH(bool, tooMany);
    Session s;
    s.load(QStringLiteral("GROSS.TXT"), numberedSentences(sentences, blankLineBetween), editor);
    QCOMPARE(s.app.store.count(), SentenceStore::MaxEntries);
    QCOMPARE(s.app.store.entries().constLast(), QStringLiteral("Satz 32767"));
    QCOMPARE(s.app.fileStatus.mainCount, QStringLiteral(" 32767"));
    const QStringList expected{QStringLiteral("Die Datei ist zu groß.\r"
                                              "Es wurden nur die ersten 32767 Sätze geladen.\r")};
    QCOMPARE(s.dialogs.prompts(), tooMany ? expected : QStringList{});
}

void SentenceFilesTest::loadsWriteProtectedFile() {
    Session s;
    s.folder.write(QStringLiteral("FEST.TXT"), "Ein Satz.\r\n");
    QVERIFY(QFile::setPermissions(s.folder.path(QStringLiteral("FEST.TXT")), QFile::ReadOwner));
    s.open(QStringLiteral("FEST.TXT"));
    QCOMPARE(s.app.store.entries(), QStringList{QStringLiteral("Ein Satz.")});
}

void SentenceFilesTest::listsTxtFilesWithoutRegardToCase() {
    Session s;
    for (const char* name : {"b.txt", "A.TXT", "c.Txt", "d.tiv", "e.txt.bak"})
        s.folder.write(QString::fromLatin1(name), "x\r\n");
    QVERIFY(s.folder.dir().mkdir(QStringLiteral("ordner.txt")));
    s.app.mainFiles.refresh();
    QCOMPARE(s.app.mainFiles.names(), (QStringList{QStringLiteral("A.TXT"), QStringLiteral("b.txt"),
                                                   QStringLiteral("c.Txt")}));
    QCOMPARE(s.app.mainFiles.selected(), -1);
}

void SentenceFilesTest::previewNeedsSelectedFile() {
    Session s;
    s.folder.write(QStringLiteral("A.TXT"), "Eins.\r\nZwei.\r\n");
    s.app.mainFiles.refresh();
    QCOMPARE(s.app.loader.previewSentenceFile(s.app.mainFiles), std::nullopt);
    s.app.loader.loadAndCloseFileView(s.app.mainFiles);
    const QString noFiles = QStringLiteral("Keine Dateien vorhanden!\r");
    QCOMPARE(s.dialogs.prompts(), (QStringList{noFiles, noFiles}));
    QCOMPARE(s.dialogs.last().title, QStringLiteral("Dosensätze laden"));
    QCOMPARE(s.dialogs.last().icon, Icon::Critical);
    QVERIFY(s.app.store.isEmpty());

    s.app.mainFiles.setSelected(0);
    QCOMPARE(s.app.loader.previewSentenceFile(s.app.mainFiles),
             std::optional<QString>(QStringLiteral("Eins.\r\nZwei.\r\n")));
}

QTEST_GUILESS_MAIN(SentenceFilesTest)
#include "test_sentencefiles.moc"
