#include "editor/listsaver.h"
#include "game/highscorelist.h"
#include "platform/textfile.h"
#include "store/appstate.h"
#include "support/fixture.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace tivoral;
using namespace Qt::StringLiterals;
using tivoral::testing::ScriptedDialogs;
using tivoral::testing::SequenceRandom;
using tivoral::testing::WorkFolder;

namespace {

const QByteArray Bom = "\xEF\xBB\xBF"_ba;
const QString Name = u"TIVORAL.INF"_s;
// The reader takes files in pieces of this size; a line end must survive the seam.
constexpr qsizetype ChunkBytes = 64 * 1024;
const QByteArray FullChunkLine(ChunkBytes - 1, 'x');

// Every file write of this process beyond `bytes` fails while it lives, as on a full disk.
struct FileSizeLimit {
    rlimit saved{};
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

// The program's four writers of whole files, each rewriting an old file of about oldBytes with
// more than it held. True when the writer reports the file written.
enum class Writer { Users, Settings, ListSave, HighScores };

struct WriterRun : testing::Fixture {
    // Lines of about lineBytes each, together at least totalBytes.
    static QByteArray lines(const QByteArray& start, qsizetype lineBytes, qsizetype totalBytes) {
        QByteArray bytes;
        for (int i = 0; bytes.size() < totalBytes; ++i)
            bytes += start + QByteArray::number(i).leftJustified(lineBytes, 'x') + "\r\n";
        return bytes;
    }

    // The file the writer replaces, laid down with its old bytes.
    QString layOldFile(Writer writer, qsizetype oldBytes) const {
        constexpr qsizetype LineBytes = 40;
        const auto lay = [&](const QString& name, const QByteArray& bytes) {
            folder.write(name, bytes);
            return name;
        };
        switch (writer) {
        case Writer::Users:
            return lay(u"TIVORAL.INF"_s, lines("Kind ", LineBytes, oldBytes));
        case Writer::Settings:
            return lay(u"TIVORAL.INI"_s, "Arial\r\n20\r\n50\r\n"_ba);
        case Writer::ListSave:
            return lay(u"SAETZE.TXT"_s, lines("Satz ", LineBytes, oldBytes));
        case Writer::HighScores:
            // The list keeps 100 lines, so the lines grow with the file.
            return lay(u"BESTDOSE.LST"_s,
                       lines(">  12     30   ", oldBytes / HighScoreList::MaxFileLines, oldBytes));
        }
        return {};
    }

    bool write(Writer writer, qsizetype newBytes) {
        switch (writer) {
        case Writer::Users: {
            app.users.load();
            dialogs.queueInput(u"Carla"_s);
            app.users.addUser(dialogs);
            return dialogs.messages().isEmpty();
        }
        case Writer::Settings:
            return saveSettings(app, QString(newBytes, u'A'), u"20"_s, u"50"_s);
        case Writer::ListSave: {
            app.store.setEntries(QString::fromLatin1(lines("Neu ", 60, newBytes)).split(u"\r\n"_s));
            SentenceFileList files(folder.dir());
            ListSaver saver(app, files);
            dialogs.queueInput(u"saetze.txt"_s);
            dialogs.queueAnswer(Answer::Yes);
            return saver.save() == ListSaver::Result::Saved;
        }
        case Writer::HighScores:
            return HighScoreList(folder.dir())
                       .add(HighScoreList::makeEntry(12, 30, QString(newBytes / 50, u'B'))) ==
                   HighScoreList::AddResult::Saved;
        }
        return false;
    }
};

const std::pair<Writer, const char*> Writers[] = {{Writer::Users, "users"},
                                                  {Writer::Settings, "settings"},
                                                  {Writer::ListSave, "list save"},
                                                  {Writer::HighScores, "high scores"}};

} // namespace

class TextFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsLinesInOneEncoding_data();
    void readsLinesInOneEncoding();
    void stopsReadingAtTheLimit();
    void usesOnlyRegularFilesInsideTheFolder_data();
    void usesOnlyRegularFilesInsideTheFolder();
    void writesWindows1252OrUtf8_data();
    void writesWindows1252OrUtf8();
    void everyWriterKeepsTheOldFile_data();
    void everyWriterKeepsTheOldFile();
    void everyWriterUsesWritableFilesInALockedFolder_data();
    void everyWriterUsesWritableFilesInALockedFolder();
    void refusesFolderWithoutWriteAccess();
    void appendKeepsOneEncoding_data();
    void appendKeepsOneEncoding();
};

void TextFileTest::readsLinesInOneEncoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << "a\r\nb\r\n"_ba << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF, lone CR, mixed")
        << "a\n\rb\rc\r\r\n"_ba << QStringList{u"a"_s, {}, u"b"_s, u"c"_s, {}};
    QTest::newRow("BOM only") << Bom << QStringList{};
    QTest::newRow("NUL bytes stay") << "a\0b"_ba << QStringList{QStringView(u"a\0b", 3).toString()};
    QTest::newRow("CR | LF at chunk end")
        << FullChunkLine + "\r\nnext" << QStringList{QString::fromLatin1(FullChunkLine), u"next"_s};
    QTest::newRow("CR | CR at chunk end")
        << FullChunkLine + "\r\rnext"
        << QStringList{QString::fromLatin1(FullChunkLine), {}, u"next"_s};
    QTest::newRow("Windows-1252 with 0x80-0x9F")
        << "\xE4\xDC\xDF\x80\x84\x8A\x93\x9F\x81"_ba << QStringList{u"äÜß€„Š“Ÿ\u0081"_s};
    QTest::newRow("UTF-8 without BOM")
        << "K\xC3\xB6ln\nSpa\xC3\x9F"_ba << QStringList{u"Köln"_s, u"Spaß"_s};
    QTest::newRow("invalid UTF-8 on a later line")
        << "\xC3\xA4\r\n\xE4"_ba << QStringList{u"Ã¤"_s, u"ä"_s};
    QTest::newRow("cut UTF-8 sequence") << "ab\xC3"_ba << QStringList{u"abÃ"_s};
}

void TextFileTest::readsLinesInOneEncoding() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    WorkFolder folder;
    folder.write(Name, bytes);
    const textfile::ReadResult result = textfile::readLines(folder.path(Name));
    QVERIFY(result.ok);
    QCOMPARE(result.lines, lines);
    QVERIFY(!result.truncated);
}

void TextFileTest::stopsReadingAtTheLimit() {
    QByteArray bytes = QByteArray("Ein Satz.\r\n").repeated(100000);
    QBuffer device(&bytes);
    QVERIFY(device.open(QIODevice::ReadOnly));
    textfile::ReadLimits limits;
    limits.maxTotalBytes = 18; // two sentences of nine bytes
    const textfile::ReadResult result = textfile::readLines(device, limits);
    QCOMPARE(result.lines.size(), 2);
    QVERIFY(result.truncated);
    QVERIFY2(device.pos() <= ChunkBytes, "the reader went on after the limit");
}

void TextFileTest::usesOnlyRegularFilesInsideTheFolder_data() {
    QTest::addColumn<QString>("entry"); // what stands at the name in the working folder
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("writable");
    QTest::newRow("regular file") << u"file"_s << true << true;
    QTest::newRow("missing") << u"missing"_s << false << true;
    QTest::newRow("link inside the folder") << u"link inside"_s << true << true;
    QTest::newRow("link outside") << u"link outside"_s << false << false;
    QTest::newRow("link leading nowhere") << u"link nowhere"_s << false << false;
    QTest::newRow("link to /dev/zero") << u"link zero"_s << false << false;
    QTest::newRow("FIFO") << u"fifo"_s << false << false;
    QTest::newRow("folder") << u"folder"_s << false << false;
}

// The working folder is reached through a link itself, as a home folder linked to a share.
void TextFileTest::usesOnlyRegularFilesInsideTheFolder() {
    QFETCH(QString, entry);
    QFETCH(bool, readable);
    QFETCH(bool, writable);
    WorkFolder base;
    WorkFolder outside;
    const QByteArray old = "Anna\r\n"_ba;
    outside.write(u"fremd"_s, old);
    QVERIFY(base.dir().mkdir(u"echt"_s));
    QVERIFY(QFile::link(base.path(u"echt"_s), base.path(u"ordner"_s)));
    const QDir folder(base.path(u"ordner"_s));
    const QString path = folder.filePath(Name);
    const QMap<QString, std::function<void()>> make{
        {u"file"_s, [&] { base.write(u"echt/"_s + Name, old); }},
        {u"missing"_s, [] {}},
        {u"link inside"_s,
         [&] {
             base.write(u"echt/DATEN"_s, old);
             QFile::link(u"DATEN"_s, path);
         }},
        {u"link outside"_s, [&] { QFile::link(outside.path(u"fremd"_s), path); }},
        {u"link nowhere"_s, [&] { QFile::link(outside.path(u"neu"_s), path); }},
        {u"link zero"_s, [&] { QFile::link(u"/dev/zero"_s, path); }},
        {u"fifo"_s, [&] { ::mkfifo(QFile::encodeName(path).constData(), 0600); }},
        {u"folder"_s, [&] { folder.mkdir(Name); }},
    };
    make.value(entry)();

    const textfile::ReadResult read = textfile::readLines(path);
    QCOMPARE(read.ok, readable);
    if (readable)
        QCOMPARE(read.lines, QStringList{u"Anna"_s});
    QCOMPARE(textfile::writeLinesAtomic(path, {u"Ben"_s}), writable);
    QCOMPARE(textfile::appendLine(path, u"Carla"_s), writable);
    if (writable)
        QCOMPARE(textfile::readLines(path).lines, (QStringList{u"Ben"_s, u"Carla"_s}));
    QCOMPARE(outside.read(u"fremd"_s), old);
    QCOMPARE(outside.dir().entryList(QDir::Files), QStringList{u"fremd"_s});
}

void TextFileTest::writesWindows1252OrUtf8_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("umlauts, ß, €") << QStringList{u"Grüße"_s, u"Ä€"_s}
                                   << "Gr\xFC\xDF"
                                      "e\r\n\xC4\x80\r\n"_ba;
    QTest::newRow("character beyond Windows-1252")
        << QStringList{u"ä"_s, u"Zoć"_s} << Bom + "\xC3\xA4\r\nZo\xC4\x87\r\n";
    // Lines the reader could take for another encoding: they must read back unchanged.
    const QByteArray anyBytes;
    QTest::newRow("BOM character inside a later line")
        << QStringList{QString(), u"\uFEFF\uFEFF"_s} << anyBytes;
    QTest::newRow("first line begins like a BOM in Windows-1252")
        << QStringList{u"\u00EF\u00BB\u00BFAnfang"_s, u"x"_s} << anyBytes;
    QTest::newRow("Windows-1252 bytes that would form valid UTF-8")
        << QStringList{u"\u00C5\u0090"_s, u"Ã¤"_s} << anyBytes;
}

void TextFileTest::writesWindows1252OrUtf8() {
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    WorkFolder folder;
    folder.write(Name, "a much longer old content\r\n"_ba);
    QVERIFY(textfile::writeLinesAtomic(folder.path(Name), lines));
    if (!bytes.isNull())
        QCOMPARE(folder.read(Name), bytes);
    QCOMPARE(textfile::readLines(folder.path(Name)).lines, lines);
}

void TextFileTest::everyWriterKeepsTheOldFile_data() {
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<qsizetype>("oldBytes");
    QTest::addColumn<qsizetype>("limit");
    constexpr qsizetype SmallFile = 3890;
    constexpr qsizetype SmallLimit = 1024;
    constexpr qsizetype LargeFile = 200000;
    constexpr qsizetype LargeLimit = 64 * 1024;
    for (const auto& [writer, name] : Writers) {
        QTest::addRow("%s, small file", name) << writer << SmallFile << SmallLimit;
        // The settings file is three short lines, never large.
        if (writer != Writer::Settings)
            QTest::addRow("%s, large file", name) << writer << LargeFile << LargeLimit;
    }
}

// With a file-size limit every write beyond it fails, as on a full disk: the writer must say
// so and leave the old file as it was, without a temporary file left behind.
void TextFileTest::everyWriterKeepsTheOldFile() {
    QFETCH(Writer, writer);
    QFETCH(qsizetype, oldBytes);
    QFETCH(qsizetype, limit);
    WriterRun run;
    const QString name = run.layOldFile(writer, oldBytes);
    const QByteArray old = run.folder.read(name);
    bool written = true;
    {
        const FileSizeLimit diskFull{rlim_t(limit)};
        written = run.write(writer, 2 * oldBytes);
    }
    QVERIFY(!written);
    QCOMPARE(run.folder.read(name), old);
    QCOMPARE(run.folder.dir().entryList(QDir::Files | QDir::Hidden), QStringList{name});
    if (writer == Writer::HighScores)
        return; // the game window tells
    const QString prompt = run.dialogs.last().prompt;
    QVERIFY2(prompt.contains(u"nicht gespeichert"_s) && prompt.contains(u"Datenträger"_s),
             qPrintable(prompt));
}

void TextFileTest::everyWriterUsesWritableFilesInALockedFolder_data() {
    QTest::addColumn<Writer>("writer");
    for (const auto& [writer, name] : Writers)
        QTest::addRow("%s", name) << writer;
}

// A class folder locked against new files, with data files the children may write.
void TextFileTest::everyWriterUsesWritableFilesInALockedFolder() {
    QFETCH(Writer, writer);
    WriterRun run;
    const QString name = run.layOldFile(writer, 100);
    const QByteArray old = run.folder.read(name);
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QFile::setPermissions(run.folder.dir().path(), all & ~QFile::WriteOwner);
    const bool canCreate = QFile(run.folder.path(u"probe"_s)).open(QIODevice::WriteOnly);
    const bool written = run.write(writer, 200);
    QFile::setPermissions(run.folder.dir().path(), all);
    if (canCreate)
        QSKIP("folder permissions do not stop this user (root)");
    QVERIFY(written);
    QVERIFY(run.folder.read(name) != old);
    QCOMPARE(run.folder.dir().entryList(QDir::Files | QDir::Hidden), QStringList{name});
}

void TextFileTest::refusesFolderWithoutWriteAccess() {
    WorkFolder folder;
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QFile::setPermissions(folder.dir().path(), all & ~QFile::WriteOwner);
    const bool written = textfile::writeLinesAtomic(folder.path(Name), {u"x"_s});
    const bool appended = textfile::appendLine(folder.path(Name), u"x"_s);
    QFile::setPermissions(folder.dir().path(), all);
    if (written && appended)
        QSKIP("folder permissions do not stop this user (root)");
    QVERIFY(!written);
    QVERIFY(!appended);
    QVERIFY(!folder.exists(Name));
}

void TextFileTest::appendKeepsOneEncoding_data() {
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("new file") << QByteArray() << u"Zoć"_s << Bom + "Zo\xC4\x87\r\n";
    QTest::newRow("missing final line end")
        << "M\xFCller"_ba << u"Jörg"_s << "M\xFCller\r\nJ\xF6rg\r\n"_ba;
    QTest::newRow("UTF-8 file without BOM")
        << "K\xC3\xB6ln\n"_ba << u"Jörg"_s << "K\xC3\xB6ln\nJ\xC3\xB6rg\r\n"_ba;
    QTest::newRow("ASCII file takes UTF-8")
        << "Anna\r\n"_ba << u"Zoć"_s << "Anna\r\nZo\xC4\x87\r\n"_ba;
    QTest::newRow("Windows-1252 file becomes UTF-8")
        << "J\xF6rg\r\n"_ba << u"Zoć"_s << Bom + "J\xC3\xB6rg\r\nZo\xC4\x87\r\n";
}

void TextFileTest::appendKeepsOneEncoding() {
    QFETCH(QByteArray, before);
    QFETCH(QString, line);
    WorkFolder folder;
    if (!before.isNull())
        folder.write(Name, before);
    QVERIFY(textfile::appendLine(folder.path(Name), line));
    QTEST(folder.read(Name), "after");
    QCOMPARE(textfile::readLines(folder.path(Name)).lines.constLast(), line);
}

QTEST_GUILESS_MAIN(TextFileTest)
#include "test_textfile.moc"
