#include "store/appstate.h"
#include "store/learningoverview.h"
#include "support/diskfull.h"
#include "support/fixture.h"
#include "support/practicegenerator.h"

#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

using Event = PracticeEntry::Event;
const QDate Monday(2026, 11, 30);

PracticeEntry entry(QDate day, const QString& user, Event event, const QString& exercise = {},
                    const QString& sentence = {}, int seconds = 0, int red = 0, int helps = 0) {
    return {
        QDateTime(day, QTime(9, 30)), user, event, exercise, {}, sentence, seconds, red, helps, 0};
}

// Anna practises on two days, Ben on one; a Wortfange round, helps and a skip count as
// practice but not as finished sentences.
const std::vector<PracticeEntry> Record{
    entry(Monday, u"Anna"_s, Event::SentenceFinished, u"Dosensatz"_s, u"Der Hund bellt."_s, 20, 2,
          1),
    entry(Monday, u"Anna"_s, Event::Lupe, u"Dosensatz"_s, u"Im Zoo."_s),
    entry(Monday, u"Anna"_s, Event::SentenceFinished, u"Dosensatz"_s, u"Im Zoo."_s, 10, 0, 0),
    entry(Monday.addDays(2), u"Anna"_s, Event::SentenceFinished, u"Mosaiksatz"_s,
          u"Der Hund bellt."_s, 30, 1, 0),
    entry(Monday.addDays(2), u"Anna"_s, Event::Wortfange, {}, u"abc"_s, 40),
    entry(Monday.addDays(1), u"Ben"_s, Event::Rettungsring, u"Mosaiksatz"_s, u"Im Zoo."_s),
    entry(Monday.addDays(1), u"Ben"_s, Event::SentenceSkipped, u"Mosaiksatz"_s, u"Im Zoo."_s),
    entry(Monday.addDays(-40), u"Ben"_s, Event::SentenceFinished, u"Mosaiksatz"_s, u"Im Zoo."_s, 8,
          0, 0),
};

} // namespace

class PracticeOverviewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void figuresPerChild();
    void periodChoosesTheLinesThatCount_data();
    void periodChoosesTheLinesThatCount();
    void exportQuotesAndOverwritesNothing();
    void noticeSaysWhatCouldNotBeRead();
};

void PracticeOverviewTest::figuresPerChild() {
    const OverviewTable table = PracticeOverview(PracticeRecordContents::of(Record)).table();
    // Ben's skip counts as a day of practice, not as a sentence.
    const std::vector<QStringList> rows{{u"Anna"_s, u"2"_s, u"2"_s, u"1"_s, u"0"_s, u"20,0"_s,
                                         u"1,0"_s, u"1"_s, u"02.12.2026 09:30"_s},
                                        {u"Ben"_s, u"2"_s, u"0"_s, u"1"_s, u"1"_s, u"8,0"_s,
                                         u"0,0"_s, u"1"_s, u"01.12.2026 09:30"_s}};
    QCOMPARE(table.rows, rows);
}

void PracticeOverviewTest::periodChoosesTheLinesThatCount_data() {
    QTest::addColumn<OverviewPeriod>("period");
    QTest::addColumn<QStringList>("children");
    QTest::addColumn<QStringList>("benTroubles"); // hardest first
    QTest::addColumn<int>("benChartDays");
    const QString skippedOnly = u"Im Zoo.: 1-mal übersprungen"_s;
    const QString zoo = u"Im Zoo.: 1-mal geübt, 1 rot, 0 Hilfepunkte, 1-mal übersprungen"_s;
    const QString dog = u"Der Hund bellt.: 1-mal geübt, 2 rot, 0 Hilfepunkte"_s;
    QTest::newRow("Letzte 7 Tage") << OverviewPeriod::LastWeek << QStringList{u"Anna"_s, u"Ben"_s}
                                   << QStringList{skippedOnly} << 7;
    QTest::newRow("Letzte 4 Wochen") << OverviewPeriod::LastFourWeeks
                                     << QStringList{u"Anna"_s, u"Ben"_s} << QStringList{zoo} << 28;
    // From 1 August to Thursday, 3 December.
    QTest::newRow("Dieses Schuljahr")
        << OverviewPeriod::SchoolYear << QStringList{u"Anna"_s, u"Ben"_s} << QStringList{zoo, dog}
        << 125;
    // From Ben's first day, 1 September.
    QTest::newRow("Alles") << OverviewPeriod::All << QStringList{u"Anna"_s, u"Ben"_s, u"Clara"_s}
                           << QStringList{zoo, dog} << 94;
}

void PracticeOverviewTest::periodChoosesTheLinesThatCount() {
    QFETCH(OverviewPeriod, period);
    const QDate today = Monday.addDays(3);
    const PracticeRecordContents record = PracticeRecordContents::of({
        entry(today, u"Anna"_s, Event::SentenceFinished, u"Dosensatz"_s, u"Oma kocht."_s),
        entry(Monday.addDays(1), u"Ben"_s, Event::Rettungsring, u"Dosensatz"_s, u"Im Zoo."_s),
        entry(Monday.addDays(1), u"Ben"_s, Event::SentenceSkipped, u"Dosensatz"_s, u"Im Zoo."_s),
        entry(today.addDays(-13), u"Ben"_s, Event::SentenceFinished, u"Dosensatz"_s, u"Im Zoo."_s,
              9, 1),
        entry(QDate(2026, 9, 1), u"Ben"_s, Event::SentenceFinished, u"Dosensatz"_s,
              u"Der Hund bellt."_s, 9, 2),
        entry(QDate(2026, 7, 15), u"Clara"_s, Event::SentenceFinished, u"Dosensatz"_s, u"Im Zoo."_s,
              9, 1),
    });
    const PracticeOverview overview(record, firstDayOf(period, today));
    QStringList children;
    for (const ChildFigures& child : overview.children())
        children << child.user;
    QTEST(children, "children");
    QCOMPARE(overview.children().at(1).skipped, 1);
    QStringList troubles;
    for (const TroubleSentence& trouble : overview.troubleSentences(u"Ben"_s))
        troubles << trouble.sentence + u": "_s + troubleWording(trouble);
    QTEST(troubles, "benTroubles");
    QTEST(int(overview.days(u"Ben"_s, today).size()), "benChartDays");
}

void PracticeOverviewTest::exportQuotesAndOverwritesNothing() {
    std::vector<PracticeEntry> record = Record;
    record.push_back(entry(Monday, u"Müller; \"Jan\""_s, Event::Lupe));
    Fixture f({{u"PROTOKOLL.CSV"_s, practiceRecordBytes(record)}, {u"LERNSTAND.CSV"_s, "alt"}});
    const WorkFolder& folder = f.folder;
    LearningOverview overview(f.app, 0);
    overview.setPeriod(OverviewPeriod::All);
    QCOMPARE(overview.notice(), QString());
    overview.exportTable();

    QCOMPARE(folder.read(u"LERNSTAND.CSV"_s), QByteArray("alt"));
    const QByteArray written = folder.read(u"LERNSTAND-2.CSV"_s);
    QVERIFY(written.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(written.mid(3)).split(u"\r\n"_s);
    QCOMPARE(lines.size(), 5); // header, three children, nothing after the last line end
    QCOMPARE(lines[3], u"\"Müller; \"\"Jan\"\"\";1;0;0;0;0,0;0,0;1;30.11.2026 09:30"_s);
    QCOMPARE(f.dialogs.last().prompt,
             u"Die Übersicht ist als CSV-Datei gespeichert:\r"_s +
                 QDir::toNativeSeparators(folder.path(u"LERNSTAND-2.CSV"_s)) + u"\r"_s);

    // A full disk leaves neither a cut file nor the temporary one behind.
    const QStringList before = folder.dir().entryList(QDir::Files | QDir::Hidden);
    withDiskFullAfter(16, [&] { overview.exportTable(); });
    QVERIFY(
        f.dialogs.last().prompt.startsWith(u"Die Übersicht konnte nicht gespeichert werden."_s));
    QCOMPARE(folder.dir().entryList(QDir::Files | QDir::Hidden), before);

    // The working folder gone meanwhile, a stick pulled out: a message, no crash.
    QVERIFY(QDir(folder.path({})).removeRecursively());
    overview.exportTable();
    QCOMPARE(f.dialogs.last().prompt,
             u"Im Arbeitsordner ließ sich keine neue CSV-Datei anlegen.\r"_s);
}

void PracticeOverviewTest::noticeSaysWhatCouldNotBeRead() {
    Fixture f({{u"PROTOKOLL.CSV"_s, "kaputt\r\n\"offen\r\n"}});
    LearningOverview(f.app, 3).showNotice();
    QCOMPARE(f.dialogs.prompts(),
             QStringList{u"Die Datei PROTOKOLL.CSV ist kein Übungsprotokoll dieses Programms; "
                         u"es schreibt nichts mehr hinein.\r"
                         u"Wird sie umbenannt oder gelöscht, beginnt ein neues Protokoll.\r"
                         u"3 Übungen konnten nicht ins Protokoll geschrieben werden.\r"
                         u"2 beschädigte Zeilen des Protokolls wurden übersprungen.\r"
                         u"Die Übersicht zeigt alles, was sich lesen ließ.\r"_s});

    QVERIFY(f.workDir.remove(u"PROTOKOLL.CSV"_s) && f.workDir.mkdir(u"PROTOKOLL.CSV"_s));
    QCOMPARE(LearningOverview(f.app, 1).notice(),
             u"Das Protokoll PROTOKOLL.CSV kann nicht gelesen werden.\r"
             u"Eine Übung konnte nicht ins Protokoll geschrieben werden.\r"_s);
}

QTEST_GUILESS_MAIN(PracticeOverviewTest)
#include "test_practiceoverview.moc"
