#include "platform/textfile.h"
#include "support/workfolder.h"

#include <QBuffer>
#include <QTest>

using namespace tivoral;
using tivoral::testing::WorkFolder;

namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");
// The reader takes the file in pieces of this size; line ends must survive the seams.
constexpr qsizetype ChunkBytes = 64 * 1024;

textfile::ReadResult readBytes(const QByteArray& bytes, const textfile::ReadLimits& limits = {},
                               const textfile::LineFilter& keep = {}) {
    WorkFolder folder;
    folder.write(QStringLiteral("file.txt"), bytes);
    return textfile::readLines(folder.path(QStringLiteral("file.txt")), limits, keep);
}

} // namespace

class TextFileReadTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitsAtEveryLineEnd_data();
    void splitsAtEveryLineEnd();
    void keepsLineEndsWholeAcrossChunks_data();
    void keepsLineEndsWholeAcrossChunks();
    void decodesOneEncodingPerFile_data();
    void decodesOneEncodingPerFile();
    void limitsLineCount_data();
    void limitsLineCount();
    void stopsReadingAtTheLimit();
    void limitsKeptBytes();
    void skipsOverlongLines();
    void refusesWhatIsNoReadableFile_data();
    void refusesWhatIsNoReadableFile();
};

void TextFileReadTest::splitsAtEveryLineEnd_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QString a = QStringLiteral("a"), b = QStringLiteral("b"), c = QStringLiteral("c");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{a, b};
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{a, b};
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringList{a, b};
    QTest::newRow("mixed") << QByteArray("a\r\n\nb\rc") << QStringList{a, {}, b, c};
    QTest::newRow("CR CR LF is two ends") << QByteArray("a\r\r\nb") << QStringList{a, {}, b};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{a, {}, b};
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList{a, b};
    QTest::newRow("empty lines count") << QByteArray("\r\n\r\n") << QStringList{{}, {}};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("BOM only") << Bom << QStringList{};
    QTest::newRow("NUL bytes stay")
        << QByteArray("a\0b\r\n", 5) << QStringList{QStringView(u"a\0b", 3).toString()};
}

void TextFileReadTest::splitsAtEveryLineEnd() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const textfile::ReadResult result = readBytes(bytes);
    QVERIFY(result.ok);
    QCOMPARE(result.lines, lines);
    QVERIFY(!result.truncated);
}

void TextFileReadTest::keepsLineEndsWholeAcrossChunks_data() {
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<QStringList>("after");
    // The first line fills the first chunk up to its last byte, which is a CR.
    QTest::newRow("CR | LF") << QByteArray("\nnext\r\n") << QStringList{QStringLiteral("next")};
    QTest::newRow("CR | text") << QByteArray("next") << QStringList{QStringLiteral("next")};
    QTest::newRow("CR | LF LF") << QByteArray("\n\nnext")
                                << QStringList{{}, QStringLiteral("next")};
    QTest::newRow("CR | CR") << QByteArray("\rnext") << QStringList{{}, QStringLiteral("next")};
}

void TextFileReadTest::keepsLineEndsWholeAcrossChunks() {
    QFETCH(QByteArray, tail);
    QFETCH(QStringList, after);
    const QByteArray first(ChunkBytes - 1, 'x');
    const textfile::ReadResult result = readBytes(first + '\r' + tail);
    QVERIFY(result.ok);
    QCOMPARE(result.lines, QStringList{QString::fromLatin1(first)} + after);
}

void TextFileReadTest::decodesOneEncodingPerFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Windows-1252 umlauts")
        << QByteArray("\xE4\xF6\xFC\xC4\xD6\xDC\xDF") << QStringList{QStringLiteral("äöüÄÖÜß")};
    QTest::newRow("Windows-1252 0x80-0x9F")
        << QByteArray("\x80\x84\x8A\x93\x94\x96\x9F") << QStringList{QStringLiteral("€„Š“”–Ÿ")};
    QTest::newRow("Windows-1252 unused bytes")
        << QByteArray("\x81\x8D\x8F\x90\x9D")
        << QStringList{QStringLiteral("\u0081\u008D\u008F\u0090\u009D")};
    QTest::newRow("UTF-8 without BOM")
        << QByteArray("Gr\xC3\xBC\xC3\x9F"
                      "e\r\nK\xC3\xB6ln")
        << QStringList{QStringLiteral("Grüße"), QStringLiteral("Köln")};
    QTest::newRow("UTF-8 with BOM")
        << Bom + "\xC3\xA4\nb" << QStringList{QStringLiteral("ä"), QStringLiteral("b")};
    QTest::newRow("BOM is no text") << Bom + "abc" << QStringList{QStringLiteral("abc")};
    QTest::newRow("invalid UTF-8 on a later line")
        << QByteArray("\xC3\xA4\r\n\xE4") << QStringList{QStringLiteral("Ã¤"), QStringLiteral("ä")};
    QTest::newRow("cut UTF-8 sequence")
        << QByteArray("ab\xC3") << QStringList{QStringLiteral("abÃ")};
    QTest::newRow("overlong UTF-8") << QByteArray("\xC0\xAF") << QStringList{QStringLiteral("À¯")};
    QTest::newRow("UTF-8 surrogate")
        << QByteArray("\xED\xA0\x80") << QStringList{QStringLiteral("í\u00A0€")};
}

void TextFileReadTest::decodesOneEncodingPerFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const textfile::ReadResult result = readBytes(bytes);
    QVERIFY(result.ok);
    QCOMPARE(result.lines, lines);
}

void TextFileReadTest::limitsLineCount_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("maxLines");
    QTest::addColumn<int>("kept");
    QTest::addColumn<bool>("truncated");
    QTest::newRow("more than the limit") << QByteArray("1\n2\n3\n4\n5\n") << 3 << 3 << true;
    QTest::newRow("exactly the limit") << QByteArray("1\n2\n3\n") << 3 << 3 << false;
    QTest::newRow("limit without final line end") << QByteArray("1\n2\n3") << 3 << 3 << false;
    QTest::newRow("filtered lines beyond the limit")
        << QByteArray("1\n2\n3\n \n  \n") << 3 << 3 << false;
    QTest::newRow("filtered lines do not count")
        << QByteArray(" \n1\n \n2\n3\n4") << 3 << 3 << true;
}

void TextFileReadTest::limitsLineCount() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, maxLines);
    QFETCH(int, kept);
    QFETCH(bool, truncated);
    textfile::ReadLimits limits;
    limits.maxLines = maxLines;
    const textfile::ReadResult result =
        readBytes(bytes, limits, [](const QByteArray& line) { return !line.trimmed().isEmpty(); });
    QVERIFY(result.ok);
    QCOMPARE(result.lines.size(), kept);
    QCOMPARE(result.lines.constLast(), QStringLiteral("3"));
    QCOMPARE(result.truncated, truncated);
}

void TextFileReadTest::stopsReadingAtTheLimit() {
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "Ein Satz von ungefähr dreißig Zeichen.\r\n";
    QBuffer device(&bytes);
    QVERIFY(device.open(QIODevice::ReadOnly));
    textfile::ReadLimits limits;
    limits.maxLines = 10;
    const textfile::ReadResult result = textfile::readLines(device, limits);
    QVERIFY(result.truncated);
    QCOMPARE(result.lines.size(), 10);
    QVERIFY2(device.pos() <= 2 * ChunkBytes, "the reader went on after the line limit");
}

void TextFileReadTest::limitsKeptBytes() {
    textfile::ReadLimits limits;
    limits.maxTotalBytes = 10;
    const textfile::ReadResult result = readBytes("12345\r\n12345\r\n1\r\n", limits);
    QVERIFY(result.ok);
    QCOMPARE(result.lines, (QStringList{QStringLiteral("12345"), QStringLiteral("12345")}));
    QVERIFY(result.truncated);
}

void TextFileReadTest::skipsOverlongLines() {
    textfile::ReadLimits limits;
    limits.maxLineBytes = 4;
    const textfile::ReadResult result = readBytes("abcd\r\nabcde\r\nxy\r\n123456789", limits);
    QVERIFY(result.ok);
    QCOMPARE(result.lines, (QStringList{QStringLiteral("abcd"), QStringLiteral("xy")}));
    QCOMPARE(result.overlongLines, 2);
}

void TextFileReadTest::refusesWhatIsNoReadableFile_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("missing file") << QStringLiteral("missing");
    QTest::newRow("directory named like the file") << QStringLiteral("directory");
}

void TextFileReadTest::refusesWhatIsNoReadableFile() {
    QFETCH(QString, what);
    WorkFolder folder;
    if (what == QLatin1String("directory"))
        QVERIFY(folder.dir().mkdir(QStringLiteral("TIVORAL.TXT")));
    const textfile::ReadResult result =
        textfile::readLines(folder.path(QStringLiteral("TIVORAL.TXT")));
    QVERIFY(!result.ok);
    QVERIFY(result.lines.isEmpty());
}

QTEST_GUILESS_MAIN(TextFileReadTest)
#include "test_textfile_read.moc"
