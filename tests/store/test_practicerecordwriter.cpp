#include "store/practicerecord.h"
#include "store/readingoptions.h"
#include "support/workfolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

const QString Record = QString::fromLatin1(practicerecord::FileName);
const QByteArray Header = "\xEF\xBB\xBF"
                          "Datum;Uhrzeit;Benutzer;Ereignis;\xC3\x9C"
                          "bung;Datei;Satz;Sekunden;Rot;Hilfen;Punkte\r\n";
const QDateTime Nikolaus(QDate(2026, 12, 6), QTime(14, 3, 12));
using Event = PracticeEntry::Event;

PracticeEntry entry(Event event, const QString& sentence,
                    const QString& exercise = u"Dosensatz"_s) {
    return PracticeEntry{Nikolaus, u"Lena"_s, event, exercise, u"TIERE.TXT"_s,
                         sentence, 42,        2,     4,        6};
}

} // namespace

class PracticeRecordWriterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void oneLinePerEvent_data();
    void oneLinePerEvent();
    void headerOnlyWhenTheFileIsNew();
    void failedAppendIsCountedOnly_data();
    void failedAppendIsCountedOnly();
    void switchedOffForTheWholeFolder();
    void emptyLeavesTheHeader();
};

void PracticeRecordWriterTest::oneLinePerEvent_data() {
    QTest::addColumn<PracticeEntry>("entry");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("Satz fertig") << entry(Event::SentenceFinished, u"Der Hund bellt."_s)
                                 << QByteArray("2026-12-06;14:03:12;Lena;Satz fertig;Dosensatz;"
                                               "TIERE.TXT;Der Hund bellt.;42;2;4;6\r\n");
    QTest::newRow("Lupe, umlauts in UTF-8")
        << entry(Event::Lupe, u"Die Kühe grasen."_s, u"Mosaiksatz"_s)
        << QByteArray("2026-12-06;14:03:12;Lena;Lupe;Mosaiksatz;TIERE.TXT;"
                      "Die K\xC3\xBC"
                      "he grasen.;42;2;4;6\r\n");
    QTest::newRow("Rettungsring, a separator in the sentence")
        << entry(Event::Rettungsring, u"Erst links; dann rechts."_s)
        << QByteArray("2026-12-06;14:03:12;Lena;Rettungsring;Dosensatz;TIERE.TXT;"
                      "\"Erst links; dann rechts.\";42;2;4;6\r\n");
    QTest::newRow("Satz übersprungen, quotes doubled")
        << entry(Event::SentenceSkipped, u"Er rief \"Halt!\""_s, u"Satzpuzzle"_s)
        << QByteArray("2026-12-06;14:03:12;Lena;Satz \xC3\xBC"
                      "bersprungen;Satzpuzzle;TIERE.TXT;\"Er rief \"\"Halt!\"\"\";42;2;4;6\r\n");
    QTest::newRow("Wortfange, a line break in the sentence, no exercise")
        << entry(Event::Wortfange, u"Zwei\nZeilen"_s, QString())
        << QByteArray("2026-12-06;14:03:12;Lena;Wortfange;;TIERE.TXT;\"Zwei\nZeilen\";"
                      "42;2;4;6\r\n");
}

void PracticeRecordWriterTest::oneLinePerEvent() {
    QFETCH(PracticeEntry, entry);
    QFETCH(QByteArray, line);
    WorkFolder folder;
    PracticeRecord record(folder.dir());
    QVERIFY(record.append(entry));
    QCOMPARE(folder.read(Record), Header + line);
}

void PracticeRecordWriterTest::headerOnlyWhenTheFileIsNew() {
    WorkFolder folder;
    PracticeRecord record(folder.dir());
    const PracticeEntry first = entry(Event::Lupe, u"Eins."_s);
    const PracticeEntry second = entry(Event::SentenceFinished, u"Zwei."_s);
    QVERIFY(record.append(first));
    QVERIFY(record.append(second));
    QCOMPARE(folder.read(Record),
             Header + PracticeRecord::lineBytes(first) + PracticeRecord::lineBytes(second));

    // A record another copy began keeps its bytes; lines only follow them.
    const QByteArray older =
        Header + "2026-12-05;08:00:00;Ben;Lupe;Dosensatz;A.TXT;Alt.;1;0;1;0\r\n";
    folder.write(Record, older);
    QVERIFY(record.append(first));
    QCOMPARE(folder.read(Record), older + PracticeRecord::lineBytes(first));
}

void PracticeRecordWriterTest::failedAppendIsCountedOnly_data() {
    QTest::addColumn<QString>("hindrance");
    QTest::newRow("a folder under the record's name") << u"folder"_s;
    QTest::newRow("a link out of the working folder") << u"link"_s;
    QTest::newRow("a read-only working folder") << u"read-only"_s;
}

void PracticeRecordWriterTest::failedAppendIsCountedOnly() {
    QFETCH(QString, hindrance);
    WorkFolder folder;
    WorkFolder outside;
    if (hindrance == "folder"_L1) {
        QVERIFY(folder.dir().mkdir(Record));
    } else if (hindrance == "link"_L1) {
        outside.write(Record, Header);
        QVERIFY(QFile::link(outside.path(Record), folder.path(Record)));
    } else {
        QVERIFY(QFile::setPermissions(folder.dir().path(), QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(folder.dir().path()).isWritable())
            QSKIP("File permissions do not stop this user (root)");
    }
    PracticeRecord record(folder.dir());
    QVERIFY(!record.append(entry(Event::Lupe, u"Eins."_s)));
    QVERIFY(!record.append(entry(Event::Lupe, u"Zwei."_s)));
    QCOMPARE(record.failedLines(), 2);
    QCOMPARE(outside.read(Record), hindrance == "link"_L1 ? Header : QByteArray());
    QFile::setPermissions(folder.dir().path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void PracticeRecordWriterTest::switchedOffForTheWholeFolder() {
    WorkFolder folder;
    const QString optionsFile = QString::fromLatin1(ReadingOptionsFile::FileName);
    // A child's own section cannot switch it back on.
    folder.write(optionsFile, "[Lena]\r\nUebungsprotokoll = ja\r\n");
    PracticeRecord record(folder.dir());
    QVERIFY(record.isOn());
    QVERIFY(record.setOn(false));
    QVERIFY(!record.isOn());
    QVERIFY(record.append(entry(Event::Lupe, u"Eins."_s)));
    QVERIFY(!folder.exists(Record));
    QCOMPARE(record.failedLines(), 0);
    QVERIFY(folder.read(optionsFile).contains("[Lena]\r\nUebungsprotokoll = ja"));

    QVERIFY(record.setOn(true));
    QVERIFY(record.append(entry(Event::Lupe, u"Zwei."_s)));
    QCOMPARE(folder.read(Record),
             Header + PracticeRecord::lineBytes(entry(Event::Lupe, u"Zwei."_s)));
}

void PracticeRecordWriterTest::emptyLeavesTheHeader() {
    WorkFolder folder;
    PracticeRecord record(folder.dir());
    QVERIFY(record.empty());
    QCOMPARE(folder.read(Record), Header);
    QVERIFY(record.append(entry(Event::Lupe, u"Eins."_s)));
    QVERIFY(record.empty());
    QCOMPARE(folder.read(Record), Header);
}

QTEST_GUILESS_MAIN(PracticeRecordWriterTest)
#include "test_practicerecordwriter.moc"
