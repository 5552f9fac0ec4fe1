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

class PracticeRecordTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsQuotedFieldsBack_data();
    void readsQuotedFieldsBack();
    void skipsAndCountsDamagedLines_data();
    void skipsAndCountsDamagedLines();
    void readsOnlyRegularFiles();
};

void PracticeRecordTest::readsQuotedFieldsBack_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("semicolon") << QByteArray("\"Erst dies; dann das.\"")
                               << u"Erst dies; dann das."_s;
    QTest::newRow("doubled quotes")
        << QByteArray("\"Er rief \"\"Halt\"\"!\"") << u"Er rief \"Halt\"!"_s;
    QTest::newRow("line break") << QByteArray("\"Oben\r\nunten\"") << u"Oben\r\nunten"_s;
    QTest::newRow("umlauts unquoted") << QByteArray("Gr\xC3\xBC\xC3\x9F"
                                                    "e")
                                      << u"Grüße"_s;
    QTest::newRow("empty quoted") << QByteArray("\"\"") << QString();
}

void PracticeRecordTest::readsQuotedFieldsBack() {
    QFETCH(QByteArray, field);
    QFETCH(QString, sentence);
    const QByteArray line =
        "2026-12-06;08:00:00;\"M\xC3\xBCller; Jan\";Satz fertig;Mosaiksatz;S.TXT;" + field +
        ";5;0;0;1\r\n";
    const auto contents = practicerecord::parse(QByteArray(Header + line + GoodLine));
    QCOMPARE(contents.damagedLines, 0);
    QCOMPARE(contents.entries.size(), size_t(2));
    const PracticeEntry& entry = contents.entries.front();
    QCOMPARE(entry.sentence, sentence);
    QCOMPARE(entry.user, u"Müller; Jan"_s);
    QCOMPARE(entry.when, QDateTime(QDate(2026, 12, 6), QTime(8, 0)));
    QCOMPARE(entry.seconds, 5);
    QCOMPARE(contents.entries.back().sentence, u"Der Hund bellt."_s);
}

void PracticeRecordTest::skipsAndCountsDamagedLines_data() {
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
void PracticeRecordTest::skipsAndCountsDamagedLines() {
    QFETCH(QByteArray, line);
    const auto contents = practicerecord::parse(QByteArray(Header + GoodLine + line + GoodLine));
    QCOMPARE(contents.damagedLines, 1);
    QCOMPARE(contents.entries.size(), size_t(2));
    QCOMPARE(contents.entries.back().redAnswers, 2);
}

void PracticeRecordTest::readsOnlyRegularFiles() {
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

QTEST_GUILESS_MAIN(PracticeRecordTest)
#include "test_practicerecord.moc"
