#include "platform/textfile.h"
#include "support/workfolder.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace tivoral;
using namespace Qt::StringLiterals;
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

} // namespace

class TextFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsLinesInOneEncoding_data();
    void readsLinesInOneEncoding();
    void limitsWhatIsKept_data();
    void limitsWhatIsKept();
    void stopsReadingAtTheLimit();
    void refusesWhatIsNoFile();
    void writesWindows1252OrUtf8_data();
    void writesWindows1252OrUtf8();
    void failedWriteLeavesOldFileWhole();
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
    QTest::newRow("no final line end") << "a\r\nb"_ba << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("empty lines count") << "\r\n\r\n"_ba << QStringList{{}, {}};
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
    QTest::newRow("UTF-8 with BOM") << Bom + "abc" << QStringList{u"abc"_s};
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

void TextFileTest::limitsWhatIsKept_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("maxLines");
    QTest::addColumn<int>("maxLineBytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("truncated");
    QTest::addColumn<int>("overlong");
    const QStringList oneTwo{u"1"_s, u"2"_s};
    QTest::newRow("more lines than the limit") << "1\n2\n3\n"_ba << 2 << 9 << oneTwo << true << 0;
    QTest::newRow("exactly the limit") << "1\n2"_ba << 2 << 9 << oneTwo << false << 0;
    QTest::newRow("skipped lines do not count")
        << " \n1\n \n2\n \n"_ba << 2 << 9 << oneTwo << false << 0;
    QTest::newRow("overlong lines skipped")
        << "1\n1234\n2\n12345"_ba << 9 << 3 << oneTwo << false << 2;
}

void TextFileTest::limitsWhatIsKept() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, maxLines);
    QFETCH(int, maxLineBytes);
    QBuffer device(&bytes);
    QVERIFY(device.open(QIODevice::ReadOnly));
    const textfile::ReadResult result = textfile::readLines(
        device, {maxLines, maxLineBytes}, [](const QByteArray& line) { return line != " "; });
    QTEST(result.lines, "lines");
    QTEST(result.truncated, "truncated");
    QTEST(result.overlongLines, "overlong");
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

void TextFileTest::refusesWhatIsNoFile() {
    WorkFolder folder;
    QVERIFY(!textfile::readLines(folder.path(Name)).ok);
    QVERIFY(folder.dir().mkdir(Name));
    QVERIFY(!textfile::readLines(folder.path(Name)).ok);
}

void TextFileTest::writesWindows1252OrUtf8_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("umlauts, ß, €") << QStringList{u"Grüße"_s, u"Ä€"_s}
                                   << "Gr\xFC\xDF"
                                      "e\r\n\xC4\x80\r\n"_ba;
    QTest::newRow("empty line") << QStringList{QString()} << "\r\n"_ba;
    QTest::newRow("character beyond Windows-1252")
        << QStringList{u"ä"_s, u"Zoć"_s} << Bom + "\xC3\xA4\r\nZo\xC4\x87\r\n";
}

void TextFileTest::writesWindows1252OrUtf8() {
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    WorkFolder folder;
    folder.write(Name, "a much longer old content\r\n"_ba);
    QVERIFY(textfile::writeLinesAtomic(folder.path(Name), lines));
    QCOMPARE(folder.read(Name), bytes);
    QCOMPARE(textfile::readLines(folder.path(Name)).lines, lines);
}

void TextFileTest::failedWriteLeavesOldFileWhole() {
    WorkFolder folder;
    folder.write(Name, "Anna\r\nBen\r\n"_ba);
    QString error;
    bool written = true;
    {
        const FileSizeLimit diskFull(4096);
        written =
            textfile::writeLinesAtomic(folder.path(Name), QStringList(5000, u"Name"_s), &error);
    }
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(folder.read(Name), "Anna\r\nBen\r\n"_ba);
    QCOMPARE(folder.dir().entryList(QDir::Files | QDir::Hidden), QStringList{Name});
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
