#include "store/appstate.h"
#include "support/fixture.h"

#include <QFile>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

const QByteArray WorkedExample("Erster Satz.\r\n\r\n   \r\n  Der  Hund   bellt.  \r\n");
const QStringList WorkedExampleEntries{u"Erster Satz."_s, u" Der Hund bellt."_s};

// The main window's state over a temporary working folder, with one file list per window.
struct Session : Fixture {
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

} // namespace

class SentenceFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadsSentences_data();
    void loadsSentences();
    void fileWithoutSentencesKeepsPreviousCount_data();
    void fileWithoutSentencesKeepsPreviousCount();
    void loadsAtMostMaxEntries();
    void listsTxtFilesWithoutRegardToCase();
    void vanishedFileHandsOnItsPlace_data();
    void vanishedFileHandsOnItsPlace();
};

void SentenceFilesTest::loadsSentences_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("editor");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("worked example, main")
        << u"TIERE.TXT"_s << WorkedExample << false << WorkedExampleEntries;
    // The editor keeps the line of blanks, and the clean-up removes it as an empty sentence.
    QTest::newRow("worked example, editor")
        << u"tiere.txt"_s << WorkedExample << true << WorkedExampleEntries;
    QTest::newRow("UTF-8 with LF, tabs stay, narrow and ideographic spaces")
        << u"übung.Txt"_s
        << "K\xC3\xB6ln\xE2\x80\xAF\xE2\x80\x89liegt\t\tam\xE3\x80\x80Rhein.\nSpa\xC3\x9F!\n"_ba
        << false << QStringList{u"Köln liegt\t\tam Rhein."_s, u"Spaß!"_s};
    // Pasted from a word processor: non-breaking spaces become blanks, the curly apostrophe
    // and the dash stay as the teacher wrote them.
    QTest::newRow("Windows-1252 with non-breaking spaces")
        << u"KM.TXT"_s
        << "Es sind 5\xA0km \x96 z.\xA0\xA0"
           "B. weit.\r\nWie geht\x92s?\xA0\r\n"_ba
        << false << QStringList{u"Es sind 5 km – z. B. weit."_s, u"Wie geht’s?"_s};
}

void SentenceFilesTest::loadsSentences() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, editor);
    QFETCH(QStringList, entries);
    Session s;
    s.load(name, bytes, editor);
    QCOMPARE(s.app.store.entries(), entries);
    QCOMPARE(s.app.store.selected(), 0);
    QCOMPARE(s.app.fileStatus.editorCount(), std::optional<int>(int(entries.size())));
    QCOMPARE(s.app.fileStatus.loadedCount(), int(entries.size()));
    QCOMPARE(s.app.fileStatus.editorPath(), QDir::toNativeSeparators(s.folder.path(name)));
    QCOMPARE(s.app.fileStatus.loadedName(), name);
    QVERIFY(s.dialogs.boxes.isEmpty());
}

void SentenceFilesTest::fileWithoutSentencesKeepsPreviousCount_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("editor");
    QTest::addColumn<SentenceFileStatus::LoadError>("error");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("blanks only, main") << QByteArray("  \r\n \r\n") << false
                                       << SentenceFileStatus::LoadError::FileError
                                       << u"Es ist ein Dateifehler aufgetreten.\r"_s;
    QTest::newRow("blanks only, editor")
        << QByteArray("   \r\n") << true << SentenceFileStatus::LoadError::NoSentences
        << u"Keine Dosensätze gefunden!\r"_s;
}

void SentenceFilesTest::fileWithoutSentencesKeepsPreviousCount() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, editor);
    QFETCH(SentenceFileStatus::LoadError, error);
    QFETCH(QString, prompt);
    Session s;
    s.load(u"erste.txt"_s, "A.\r\nB.\r\nC.\r\n");
    s.load(u"leer.txt"_s, bytes, editor);

    QVERIFY(s.app.store.isEmpty());
    QCOMPARE(s.app.store.selected(), SentenceStore::NoSelection);
    QCOMPARE(s.app.fileStatus.loadError(), error);
    QVERIFY(!s.app.fileStatus.editorCount().has_value());
    QCOMPARE(s.app.fileStatus.loadedCount(), 3);
    QCOMPARE(s.app.fileStatus.loadedName(), u"erste.txt"_s);
    QCOMPARE(s.dialogs.prompts(), QStringList{prompt});
    QCOMPARE(s.dialogs.last().title, u"Tivoral"_s);
    QCOMPARE(s.dialogs.last().icon, Icon::None);
    // The teacher lock still expects the count of the file loaded before.
    s.dialogs.queueInput(u"3"_s);
    QVERIFY(askTeacherPassword(s.app));
}

// Blank lines between the sentences do not count towards the limit.
void SentenceFilesTest::loadsAtMostMaxEntries() {
    QByteArray bytes;
    for (int i = 1; i <= SentenceStore::MaxEntries + 1; ++i)
        bytes += "Satz " + QByteArray::number(i) + "\r\n   \r\n";
    Session s;
    s.load(u"GROSS.TXT"_s, bytes, true);
    QCOMPARE(s.app.store.count(), SentenceStore::MaxEntries);
    QCOMPARE(s.app.store.entries().constLast(), u"Satz 32767"_s);
    QCOMPARE(s.app.fileStatus.loadedCount(), SentenceStore::MaxEntries);
    QCOMPARE(s.dialogs.prompts(),
             QStringList{
                 u"Die Datei ist zu groß.\rEs wurden nur die ersten 32767 Sätze geladen.\r"_s});
}

void SentenceFilesTest::listsTxtFilesWithoutRegardToCase() {
    Session s;
    for (const char* name : {"b.txt", "A.TXT", "c.Txt", "d.tiv", "e.txt.bak"})
        s.folder.write(QString::fromLatin1(name), "x\r\n");
    QVERIFY(s.folder.dir().mkdir(u"ordner.txt"_s));
    s.app.mainFiles.refresh();
    QCOMPARE(s.app.mainFiles.names(), (QStringList{u"A.TXT"_s, u"b.txt"_s, u"c.Txt"_s}));
    QCOMPARE(s.app.mainFiles.selected(), -1);
}

void SentenceFilesTest::vanishedFileHandsOnItsPlace_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("vanishing");
    QTest::addColumn<QString>("preview"); // empty: no file left, "Keine Dateien vorhanden!"
    QTest::newRow("middle file") << QStringList{u"A.TXT"_s, u"B.TXT"_s, u"C.TXT"_s} << 1
                                 << u"C.TXT\r\n"_s;
    QTest::newRow("only file") << QStringList{u"A.TXT"_s} << 0 << QString();
}

void SentenceFilesTest::vanishedFileHandsOnItsPlace() {
    QFETCH(QStringList, files);
    QFETCH(int, vanishing);
    QFETCH(QString, preview);
    Session s;
    for (const QString& name : files)
        s.folder.write(name, name.toLatin1() + "\r\n");
    s.app.mainFiles.refresh();
    s.app.mainFiles.setSelected(vanishing);
    QVERIFY(QFile::remove(s.folder.path(files.at(vanishing))));
    s.app.mainFiles.refresh();
    QCOMPARE(s.app.loader.previewSentenceFile(s.app.mainFiles).value_or(QString()), preview);
    QCOMPARE(s.dialogs.prompts().isEmpty(), !preview.isEmpty());
}

QTEST_GUILESS_MAIN(SentenceFilesTest)
#include "test_sentencefiles.moc"
