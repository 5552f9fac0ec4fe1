#include "store/practicerecordreader.h"
#include "support/workfolder.h"

#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {
const QByteArray Header = "\xEF\xBB\xBF"
                          "Datum;Uhrzeit;Benutzer;Ereignis;\xC3\x9C"
                          "bung;Datei;Satz;Sekunden;Rot;Hilfen;Punkte\r\n";
const QByteArray GoodLine = "2026-12-06;14:03:12;Anna;Satz fertig;Dosensatz;SAETZE.TXT;"
                            "Der Hund bellt.;12;2;1;3\r\n";
} // namespace

class PracticeRecordReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void skipsAndCountsDamagedLines_data();
    void skipsAndCountsDamagedLines();
    void readsOnlyRegularFiles();
};

void PracticeRecordReaderTest::skipsAndCountsDamagedLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("too few fields") << QByteArray("2026-12-06;14:03:12;Anna;Lupe\r\n");
    QTest::newRow("too many fields") << QByteArray(GoodLine).replace("\r\n", ";7\r\n");
    QTest::newRow("bad date") << QByteArray(GoodLine).replace("2026-12-06", "2026-02-30");
    QTest::newRow("date with blank") << QByteArray(GoodLine).replace("2026-12-06", "2026-12- 6");
    QTest::newRow("bad time") << QByteArray(GoodLine).replace("14:03:12", "24:03:12");
    QTest::newRow("unknown event") << QByteArray(GoodLine).replace("Satz fertig", "Satz gut");
    QTest::newRow("bad number") << QByteArray(GoodLine).replace(";12;", ";1x;");
    QTest::newRow("number too long") << QByteArray(GoodLine).replace(";12;", ";99999999999;");
    QTest::newRow("no user") << QByteArray(GoodLine).replace("Anna", "");
    QTest::newRow("quote never closed") << QByteArray(GoodLine).replace("Der Hund", "\"Der Hund");
    QTest::newRow("text after closing quote")
        << QByteArray(GoodLine).replace("Der Hund bellt.", "\"Der Hund\" bellt.");
}

// The damaged line costs itself only: the lines around it are read.
void PracticeRecordReaderTest::skipsAndCountsDamagedLines() {
    QFETCH(QByteArray, line);
    const auto contents = practicerecord::parse(QByteArray(Header + GoodLine + line + GoodLine));
    QCOMPARE(contents.damagedLines, 1);
    QCOMPARE(contents.entries.size(), size_t(2));
    QCOMPARE(contents.entries.back().redAnswers, 2);
}

void PracticeRecordReaderTest::readsOnlyRegularFiles() {
    WorkFolder folder;
    const QString record = folder.path(u"PROTOKOLL.CSV"_s);
    const auto missing = readPracticeRecord(record);
    QVERIFY(missing.readable);
    QVERIFY(missing.entries.empty());

    QVERIFY(folder.dir().mkdir(u"PROTOKOLL.CSV"_s));
    QVERIFY(!readPracticeRecord(record).readable);
    QVERIFY(folder.dir().rmdir(u"PROTOKOLL.CSV"_s));

    folder.write(u"PROTOKOLL.CSV"_s, Header + GoodLine + "2026-12-07;09:00:00;Ben;Lupe;;;;;;;");
    const auto written = readPracticeRecord(record);
    QVERIFY(written.readable);
    QCOMPARE(written.entries.size(), size_t(2));
    QCOMPARE(written.entries.back().event, PracticeEntry::Event::Lupe);
}

QTEST_GUILESS_MAIN(PracticeRecordReaderTest)
#include "test_practicerecordreader.moc"
