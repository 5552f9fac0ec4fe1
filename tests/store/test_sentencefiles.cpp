#include "store/appstate.h"
#include "store/startprefetch.h"
#include "support/fixture.h"

#include <QTest>

#include <sys/stat.h>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

// The main window's state over a temporary working folder, with one file list per window.
struct Session : Fixture {
    SentenceFileList editorFiles{folder.dir()};

    void load(const QString& name, const QByteArray& bytes, bool editor = false) {
        folder.write(name, bytes);
        SentenceFileList& list = editor ? editorFiles : app.mainFiles;
        list.refresh();
        list.setSelected(list.indexOf(name));
        editor ? app.loader.loadEditorSentenceFile(list) : app.loader.loadSentenceFile(list);
    }
};

} // namespace

class SentenceFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadsSentences_data();
    void loadsSentences();
    void fileWithoutSentencesKeepsPreviousCount();
    void startTakesWhatWasReadAheadOnce();
};

void SentenceFilesTest::loadsSentences_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("editor");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("worked example, main")
        << u"TIERE.TXT"_s << "Erster Satz.\r\n\r\n   \r\n  Der  Hund   bellt.  \r\n"_ba << false
        << QStringList{u"Erster Satz."_s, u" Der Hund bellt."_s};
    // A child cannot type a tab, a soft hyphen or a control character; they go as in the editor.
    QTest::newRow("UTF-8 with LF, tabs, soft hyphen, narrow and ideographic spaces")
        << u"übung.Txt"_s
        << "K\xC3\xB6ln\xE2\x80\xAF\xE2\x80\x89liegt\t\tam\xE3\x80\x80Rhein.\n"
           "Spa\xC2\xAD\xC3\x9F\x01!\n"_ba
        << false << QStringList{u"Köln liegt am Rhein."_s, u"Spaß!"_s};
    // Pasted from a word processor: non-breaking spaces become blanks, the curly apostrophe
    // and the dash stay as the teacher wrote them.
    QTest::newRow("Windows-1252 with non-breaking spaces")
        << u"KM.TXT"_s
        << "Es sind 5\xA0km \x96 z.\xA0\xA0"
           "B. weit.\r\nWie geht\x92s?\xA0\r\n"_ba
        << false << QStringList{u"Es sind 5 km – z. B. weit."_s, u"Wie geht’s?"_s};
    QTest::newRow("Windows-1252 umlauts beside a soft hyphen or a no-break space")
        << u"GRUSS.TXT"_s
        << "Sch\xF6\xADne B\xE4ume.\r\nGr\xFC\xDF Gott,\xA0"
           "Frau M\xFCller.\r\n"_ba
        << false << QStringList{u"Schöne Bäume."_s, u"Grüß Gott, Frau Müller."_s};
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

// An editor file of blanks only: nothing loaded, and the count stays that of the file before.
void SentenceFilesTest::fileWithoutSentencesKeepsPreviousCount() {
    Session s;
    s.load(u"erste.txt"_s, "A.\r\nB.\r\nC.\r\n");
    s.load(u"leer.txt"_s, "   \r\n", true);

    QVERIFY(s.app.store.isEmpty());
    QCOMPARE(s.app.store.selected(), SentenceStore::NoSelection);
    QCOMPARE(s.app.fileStatus.loadError(), SentenceFileStatus::LoadError::NoSentences);
    QVERIFY(!s.app.fileStatus.editorCount().has_value());
    QCOMPARE(s.app.fileStatus.loadedCount(), 3);
    QCOMPARE(s.app.fileStatus.loadedName(), u"erste.txt"_s);
    QCOMPARE(s.dialogs.prompts(), QStringList{u"Keine Dosensätze gefunden!\r"_s});
    // The teacher lock still expects the count of the file loaded before.
    s.dialogs.queueInput(u"3"_s);
    QVERIFY(askTeacherPassword(s.app));
}

// The start reads the folder ahead on a thread, entry by entry; what it read counts for that
// folder and that first list only, and once: a later load reads the file as it is then.
void SentenceFilesTest::startTakesWhatWasReadAheadOnce() {
    WorkFolder folder;
    folder.write(u"A.TXT"_s, "Der  Hund bellt.\r\n");
    folder.write(u"TIVORAL.INF"_s, "Anna\r\n");
    for (const QString& name :
         {u"b.txt"_s, u"c.Txt"_s, u"Zebra.TXT"_s, u"übung.txt"_s, u".versteckt.txt"_s,
          u"notiz.txt.bak"_s, u"txt"_s, u"WORTLISTE.TXT"_s})
        folder.write(name, "Zweite Liste.\r\n");
    // Only files and links to anything but a folder are lists.
    QVERIFY(folder.dir().mkdir(u"ordner.txt"_s));
    QVERIFY(QFile::link(folder.path(u"b.txt"_s), folder.path(u"verweis.txt"_s)));
    QVERIFY(QFile::link(folder.path(u"fort.txt"_s), folder.path(u"kaputt.txt"_s)));
    QVERIFY(QFile::link(folder.path(u"ordner.txt"_s), folder.path(u"ordnerverweis.txt"_s)));
    QCOMPARE(mkfifo(QFile::encodeName(folder.path(u"rohr.txt"_s)).constData(), 0600), 0);
    StartPrefetch prefetch(folder.dir().path());
    WorkFolder elsewhere;
    QVERIFY(!prefetch.names(elsewhere.dir()));
    // In order without regard to case.
    const QStringList listed{u"A.TXT"_s,       u"b.txt"_s,     u"c.Txt"_s,
                             u"verweis.txt"_s, u"Zebra.TXT"_s, u"übung.txt"_s};
    QCOMPARE(prefetch.names(folder.dir()), listed);
    // Waits for the first list, which alone was read ahead.
    QVERIFY(!prefetch.takeLines(folder.path(u"b.txt"_s)));
    // Written after the read ahead: only the next load sees it.
    folder.write(u"A.TXT"_s, "Die Katze schläft.\r\n");

    ScriptedDialogs dialogs;
    SequenceRandom random({0.0});
    AppState app(folder.dir(), dialogs, random, &prefetch);
    QCOMPARE(app.mainFiles.names(), listed);
    app.mainFiles.setSelected(0);
    app.loader.loadSentenceFile(app.mainFiles);
    QCOMPARE(app.store.entries(), QStringList{u"Der Hund bellt."_s});
    QVERIFY(app.loader.sourceVersions().changedSince(folder.path(u"A.TXT"_s)));
    app.loader.loadSentenceFile(app.mainFiles);
    QCOMPARE(app.store.entries(), QStringList{u"Die Katze schläft."_s});
}

QTEST_GUILESS_MAIN(SentenceFilesTest)
#include "test_sentencefiles.moc"
