#include "store/practicerecord.h"
#include "store/practicerecordreader.h"
#include "support/diskfull.h"
#include "support/practicegenerator.h"
#include "support/workfolder.h"

#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

const QString Record = QString::fromLatin1(practicerecord::FileName);
const QByteArray Header = "\xEF\xBB\xBF"
                          "Datum;Uhrzeit;Kind;Ereignis;\xC3\x9C"
                          "bung;Datei;Satz;Sekunden;Rot;Hilfen;Punkte\r\n";
const QByteArray GoodLine = "2026-12-06;14:03:12;Anna;Satz fertig;Dosensatz;SAETZE.TXT;"
                            "Der Hund bellt.;12;2;1;3\r\n";
using Event = PracticeEntry::Event;

PracticeEntry entry(Event event, const QString& sentence,
                    const QString& exercise = u"Dosensatz"_s) {
    const QDateTime when(QDate(2026, 12, 6), QTime(14, 3, 12));
    return {when, u"Lena"_s, event, exercise, u"TIERE.TXT"_s, sentence, 42, 2, 4, 6};
}

} // namespace

class PracticeRecordTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void oneLinePerEvent_data();
    void oneLinePerEvent();
    void skipsAndCountsDamagedLines_data();
    void skipsAndCountsDamagedLines();
    void readsTheSameInPieces_data();
    void readsTheSameInPieces();
    void appendsOnlyWholeLinesToARecord_data();
    void appendsOnlyWholeLinesToARecord();
    void readsEitherEncoding_data();
    void readsEitherEncoding();
};

void PracticeRecordTest::oneLinePerEvent_data() {
    QTest::addColumn<PracticeEntry>("entry");
    QTest::addColumn<QByteArray>("line");
    const QByteArray stamp = "2026-12-06;14:03:12;Lena;";
    QTest::newRow("Satz übersprungen, quotes doubled")
        << entry(Event::SentenceSkipped, u"Er rief \"Halt!\""_s, u"Satzpuzzle"_s)
        << stamp + "Satz \xC3\xBC"
                   "bersprungen;Satzpuzzle;TIERE.TXT;\"Er rief \"\"Halt!\"\"\";42;2;4;6";
    QTest::newRow("formula guarded for spreadsheets")
        << entry(Event::Lupe, u"=1+1"_s, u"@Puzzle"_s)
        << stamp + "Lupe;'@Puzzle;TIERE.TXT;'=1+1;42;2;4;6";
    QTest::newRow("apostrophe before a formula sign kept")
        << entry(Event::Lupe, u"'-x"_s) << stamp + "Lupe;Dosensatz;TIERE.TXT;''-x;42;2;4;6";
    QTest::newRow("Wortfange, a line break in the sentence, no exercise")
        << entry(Event::Wortfange, u"Zwei\nZeilen"_s, QString())
        << stamp + "Wortfange;;TIERE.TXT;\"Zwei\nZeilen\";42;2;4;6";
}

void PracticeRecordTest::oneLinePerEvent() {
    QFETCH(PracticeEntry, entry);
    QFETCH(QByteArray, line);
    WorkFolder folder;
    PracticeRecord record(folder.dir());
    QVERIFY(record.append(entry));
    QCOMPARE(folder.read(Record), Header + line + "\r\n");
    // The reader takes the quoting back apart.
    const PracticeRecordContents read = practicerecord::parse(folder.read(Record));
    QCOMPARE(read.entries.size(), size_t(1));
    QCOMPARE(read.entry(read.entries.front()), entry);
}

void PracticeRecordTest::skipsAndCountsDamagedLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("bad date") << QByteArray(GoodLine).replace("2026-12-06", "2026-02-30");
    QTest::newRow("number too long") << QByteArray(GoodLine).replace(";12;", ";99999999999;");
    QTest::newRow("quote never closed") << QByteArray(GoodLine).replace("Der Hund", "\"Der Hund");
    QTest::newRow("text after closing quote")
        << QByteArray(GoodLine).replace("Der Hund bellt.", "\"Der Hund\" bellt.");
}

// The damaged line costs itself only: the lines around it are read.
void PracticeRecordTest::skipsAndCountsDamagedLines() {
    QFETCH(QByteArray, line);
    const auto contents = practicerecord::parse(QByteArray(Header + GoodLine + line + GoodLine));
    QCOMPARE(contents.damagedLines, 1);
    QCOMPARE(contents.entries.size(), size_t(2));
    QCOMPARE(contents.entries.back().redAnswers, 2);
}

void PracticeRecordTest::readsTheSameInPieces_data() {
    QTest::addColumn<qsizetype>("pieceBytes");
    for (const qsizetype piece : {1, 2, 3, 199, 200, 201, 202, 4096})
        QTest::addRow("%lld bytes", qlonglong(piece)) << piece;
}

// The file is read in pieces; a line, a quoted line break, the BOM or a damaged line that
// crosses a piece's end must read as if the record were read whole.
void PracticeRecordTest::readsTheSameInPieces() {
    QFETCH(qsizetype, pieceBytes);
    constexpr qsizetype ShortLine = 200;
    constexpr int Weeks = 2;
    const std::vector<PracticeEntry> practice = generatePractice(QDate(2026, 12, 4), Weeks);
    const QByteArray bytes = practiceRecordBytes(practice) + QByteArray(3 * ShortLine, 'x') +
                             "\r\n" + GoodLine + "\"Der Hund\r\n" + GoodLine +
                             QByteArray(GoodLine).replace("Der Hund bellt.", "\"Der\nHund\"");
    const auto whole = practicerecord::parse(bytes, {ShortLine, bytes.size()});
    QCOMPARE(whole.entries.size(), practice.size() + 3);
    QCOMPARE(whole.damagedLines, 2);
    QCOMPARE(whole.entry(whole.entries.back()).sentence, u"Der\nHund"_s);

    const auto inPieces = practicerecord::parse(bytes, {ShortLine, pieceBytes});
    QVERIFY(inPieces.entries == whole.entries);
    QCOMPARE(inPieces.texts, whole.texts);
    QCOMPARE(inPieces.damagedLines, whole.damagedLines);
}

void PracticeRecordTest::appendsOnlyWholeLinesToARecord_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after"); // empty: the line must not be written
    QTest::addColumn<qint64>("sizeLimit");
    const QByteArray line = PracticeRecord::lineBytes(entry(Event::Lupe, u"Neu."_s));
    const QByteArray noLineEnd = Header + GoodLine.chopped(2);
    QTest::newRow("no file yet") << QByteArray() << Header + line << qint64(0);
    QTest::newRow("last line without line end")
        << noLineEnd << noLineEnd + "\r\n" + line << qint64(0);
    QTest::newRow("full disk: cut back")
        << Header + GoodLine << QByteArray() << qint64(Header.size() + GoodLine.size() + 10);
    QTest::newRow("no header") << QByteArray("kaputt\r\n") << QByteArray() << qint64(0);
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE"
                                          "D\0a\0",
                                          6)
                            << QByteArray() << qint64(0);
}

void PracticeRecordTest::appendsOnlyWholeLinesToARecord() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(qint64, sizeLimit);
    WorkFolder folder;
    if (!before.isEmpty())
        folder.write(Record, before);
    PracticeRecord record(folder.dir());
    const bool written =
        withDiskFullAfter(sizeLimit, [&] { return record.append(entry(Event::Lupe, u"Neu."_s)); });
    QCOMPARE(written, !after.isEmpty());
    QCOMPARE(record.failedLines(), after.isEmpty() ? 1 : 0);
    QCOMPARE(folder.read(Record), after.isEmpty() ? before : after);
}

void PracticeRecordTest::readsEitherEncoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("user");
    const QByteArray header = Header.sliced(3);
    const QByteArray line = "2026-12-06;14:03:12;M\xFCller;Satz fertig;;A.TXT;x;1;0;0;1\r\n";
    QTest::newRow("Windows-1252, saved by a spreadsheet") << header + line << u"Müller"_s;
    QTest::newRow("UTF-8 without BOM")
        << header + QByteArray(line).replace("\xFC", "\xC3\xBC") << u"Müller"_s;
}

void PracticeRecordTest::readsEitherEncoding() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, user);
    WorkFolder folder;
    folder.write(Record, bytes);
    const PracticeRecordContents read = readPracticeRecord(folder.path(Record));
    QCOMPARE(read.entries.size(), size_t(1));
    QCOMPARE(read.text(read.entries.front().user), user);
    QVERIFY(!read.notARecord);
}

QTEST_GUILESS_MAIN(PracticeRecordTest)
#include "test_practicerecord.moc"
