#include "game/highscorelist.h"
#include "game/sharedfolderplan.h"
#include "platform/textfile.h"
#include "platform/textmarks.h"
#include "shell/classroster.h"
#include "store/practicerecord.h"
#include "store/practicerecordreader.h"
#include "store/readingoptions.h"
#include "support/diskfull.h"
#include "support/workfolder.h"

#include <QProcess>
#include <QTest>
#include <QUrl>

using namespace tivoral;
using namespace tivoral::testing;
using Outcome = ClassRoster::Outcome;

namespace {

const QString Jorg = QStringLiteral("Jörg Müller");

QByteArray recordLine(const QString& user, const QString& sentence) {
    PracticeEntry entry;
    entry.when = QDateTime(QDate(2026, 12, 1), QTime(9, 30, 0));
    entry.user = user;
    entry.exercise = QStringLiteral("Dosensatz");
    entry.sentence = sentence;
    return PracticeRecord::lineBytes(entry);
}

// A class folder: Jörg has options, a result and record lines, one with a quoted line break;
// a damaged line holds his name too.
void layClass(const WorkFolder& folder, int extraLines = 0) {
    folder.write("TIVORAL.INF", textfile::encodeLines({"Anna", Jorg, "Ben"}));
    folder.write("TIVORAL.OPT",
                 textfile::encodeLines({"[*]", "Vorlesen = nein", "", "[J%C3%B6rg%20M%C3%BCller]",
                                        "Schrift = Andika"}));
    folder.write("BESTDOSE.LST", textfile::encodeLines(HighScoreList::fileLines(
                                     {HighScoreList::makeEntry(20, 30, Jorg),
                                      HighScoreList::makeEntry(22, 9, "Anna")})));
    QByteArray record = PracticeRecord::headerBytes() + recordLine("Anna", "Oma; \"kocht\".") +
                        recordLine(Jorg, "Er rief:\r\n\"Halt!\"") + "2026-12-01;kaputt;" +
                        Jorg.toUtf8() + "\r\n" + recordLine("Ben", "Ben liest.");
    for (int k = 0; k < extraLines; ++k)
        record += recordLine(Jorg, QStringLiteral("Satz %1.").arg(k));
    folder.write("PROTOKOLL.CSV", record);
}

QStringList recordUsers(const WorkFolder& folder) {
    const PracticeRecordContents contents = readPracticeRecord(folder.path("PROTOKOLL.CSV"));
    QStringList users;
    for (const RecordedEntry& entry : contents.entries)
        users << contents.text(entry.user);
    return users;
}

// Every file of the folder as bytes, by name.
QMap<QString, QByteArray> folderBytes(const WorkFolder& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& name : folder.dir().entryList(QDir::Files))
        files.insert(name, folder.read(name));
    return files;
}

} // namespace

class ClassRosterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void changeReachesEveryFile_data();
    void changeReachesEveryFile();
    void windows1252RecordIsRewrittenReadable_data();
    void windows1252RecordIsRewrittenReadable();
    void nameGuardedInTheRecordIsFound();
    void failedWriteLeavesEveryFileAsItWas();
    void renameWhileAnotherCopyAppends();
};

void ClassRosterTest::changeReachesEveryFile_data() {
    QTest::addColumn<QString>("newName"); // empty: removed
    QTest::addColumn<bool>("withResults");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("recordUsers");
    QTest::addColumn<QString>("optionSection"); // where Jörg's font went; empty: gone
    QTest::addColumn<QString>("bestName");
    const QString renamed = QStringLiteral("Jörg Ü. Meier");
    QTest::newRow("renamed with umlauts and blanks")
        << renamed << true << Outcome::Done << QStringList{"Anna", renamed, "Ben"}
        << QStringList{"Anna", renamed, "Ben"} << "J%C3%B6rg%20%C3%9C.%20Meier" << renamed;
    QTest::newRow("removed, results kept")
        << "" << false << Outcome::Done << QStringList{"Anna", "Ben"}
        << QStringList{"Anna", Jorg, "Ben"} << "" << Jorg;
    QTest::newRow("removed with results: the name is nowhere")
        << "" << true << Outcome::Done << QStringList{"Anna", "Ben"} << QStringList{"Anna", "Ben"}
        << ""
        << "Anna";
    const QStringList unchanged{"Anna", Jorg, "Ben"};
    QTest::newRow("a name already there refused") << "Anna" << true << Outcome::Refused << unchanged
                                                  << unchanged << "J%C3%B6rg%20M%C3%BCller" << Jorg;
    QTest::newRow("blank name refused") << "  " << true << Outcome::Refused << unchanged
                                        << unchanged << "J%C3%B6rg%20M%C3%BCller" << Jorg;
    QTest::newRow("too long refused") << QString(61, 'x') << true << Outcome::Refused << unchanged
                                      << unchanged << "J%C3%B6rg%20M%C3%BCller" << Jorg;
}

void ClassRosterTest::changeReachesEveryFile() {
    QFETCH(QString, newName);
    QFETCH(bool, withResults);
    QFETCH(QStringList, recordUsers);
    QFETCH(QString, optionSection);
    WorkFolder folder;
    layClass(folder);
    const QMap<QString, QByteArray> before = folderBytes(folder);
    const ClassRoster roster(folder.dir());
    const ClassRoster::Result result =
        newName.isEmpty() ? roster.remove(Jorg, withResults) : roster.rename(Jorg, newName);
    QTEST(result.outcome, "outcome");
    QCOMPARE(result.reason.isEmpty(), result.outcome == Outcome::Done);

    QTEST(textfile::readLines(folder.path("TIVORAL.INF")).lines, "names");
    QCOMPARE(::recordUsers(folder), recordUsers);
    const ReadingOptionsFile::Sections sections = ReadingOptionsFile(folder.dir()).read();
    QCOMPARE(sections.value("*").value("Vorlesen"), "nein");
    QStringList sectionsWithFont;
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        if (it->contains("Schrift"))
            sectionsWithFont << it.key();
    }
    QCOMPARE(sectionsWithFont,
             optionSection.isEmpty() ? QStringList() : QStringList{optionSection});
    const QStringList best =
        HighScoreList::entriesFromLines(textfile::readLines(folder.path("BESTDOSE.LST")).lines);
    QTEST(best.constFirst().mid(HighScoreList::makeEntry(0, 0, "").size()), "bestName");
    // Lines of the others keep their bytes; a refusal writes nothing at all.
    QVERIFY(folder.read("PROTOKOLL.CSV").contains(recordLine("Anna", "Oma; \"kocht\".")));
    if (result.outcome != Outcome::Done)
        QCOMPARE(folderBytes(folder), before);
    if (!newName.isEmpty() || !withResults)
        return;
    // Deleted on request: no file of the folder holds the name in any of its spellings.
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QByteArray bytes = folder.read(it.key());
        for (const QByteArray& spelling :
             {Jorg.toUtf8(), Jorg.toLatin1(), QUrl::toPercentEncoding(Jorg)})
            QVERIFY2(!bytes.contains(spelling), qPrintable(it.key()));
    }
}

// A record a spreadsheet saved in Windows-1252: the child's lines are found by the name's own
// bytes there, and the rewritten record reads the same as before apart from the change.
void ClassRosterTest::windows1252RecordIsRewrittenReadable_data() {
    QTest::addColumn<QString>("newName"); // empty: removed
    QTest::addColumn<QStringList>("recordUsers");
    QTest::newRow("renamed") << "Jürgen" << QStringList{"Anna", "Jürgen", "Ben"};
    QTest::newRow("removed") << "" << QStringList{"Anna", "Ben"};
}

void ClassRosterTest::windows1252RecordIsRewrittenReadable() {
    QFETCH(QString, newName);
    WorkFolder folder;
    layClass(folder);
    const QByteArray utf8 = folder.read("PROTOKOLL.CSV");
    folder.write("PROTOKOLL.CSV", QString::fromUtf8(utf8.sliced(Utf8Bom.size())).toLatin1());
    const ClassRoster roster(folder.dir());
    QCOMPARE((newName.isEmpty() ? roster.remove(Jorg, true) : roster.rename(Jorg, newName)).outcome,
             Outcome::Done);
    QTEST(recordUsers(folder), "recordUsers");
    const QByteArray after = folder.read("PROTOKOLL.CSV");
    QVERIFY(!after.contains(Jorg.toLatin1()));
    QVERIFY(after.contains(recordLine("Anna", "Oma; \"kocht\".")));
}

// A name a spreadsheet would take for a formula stands in the record with a guarding apostrophe.
void ClassRosterTest::nameGuardedInTheRecordIsFound() {
    WorkFolder folder;
    const QString guarded = QStringLiteral("-Lea");
    folder.write("TIVORAL.INF", textfile::encodeLines({"Anna", guarded}));
    folder.write("PROTOKOLL.CSV", PracticeRecord::headerBytes() + recordLine(guarded, "Ein Satz.") +
                                      recordLine("Anna", "Lea liest."));
    QVERIFY(folder.read("PROTOKOLL.CSV").contains("'-Lea"));
    QCOMPARE(ClassRoster(folder.dir()).remove(guarded, true).outcome, Outcome::Done);
    QCOMPARE(recordUsers(folder), QStringList{"Anna"});
}

void ClassRosterTest::failedWriteLeavesEveryFileAsItWas() {
    WorkFolder folder;
    constexpr int ManyLines = 400;
    layClass(folder, ManyLines);
    const QMap<QString, QByteArray> before = folderBytes(folder);
    // The small files fit under the limit, the rewritten record does not: the files written
    // before it must be put back.
    constexpr qsizetype LimitBytes = 4096;
    QVERIFY(before.value("PROTOKOLL.CSV").size() > LimitBytes);
    const ClassRoster::Result result =
        withDiskFullAfter(LimitBytes, [&] { return ClassRoster(folder.dir()).rename(Jorg, "Jana"); });
    QCOMPARE(result.outcome, Outcome::Failed);
    QVERIFY2(result.reason.startsWith("PROTOKOLL.CSV: "), qPrintable(result.reason));
    QCOMPARE(folderBytes(folder), before);
}

// One copy renames a child back and forth while another appends its lines to the record.
void ClassRosterTest::renameWhileAnotherCopyAppends() {
    WorkFolder folder;
    layClass(folder);
    QProcess worker;
    worker.start(QStringLiteral(SHARED_FOLDER_WORKER), {"record", folder.dir().path(), "B"});
    QVERIFY(worker.waitForReadyRead() && worker.readLine().startsWith("ready"));
    // The second line lets the copy go on past its first line without waiting for a partner.
    worker.write("go\non\n");
    const ClassRoster roster(folder.dir());
    const QStringList names{Jorg, "Jörg"};
    int renames = 0;
    while (worker.state() == QProcess::Running || renames < 2) {
        QCOMPARE(roster.rename(names.at(renames % 2), names.at((renames + 1) % 2)).outcome,
                 Outcome::Done);
        ++renames;
        worker.waitForFinished(1);
    }
    QCOMPARE(worker.exitCode(), 0);
    const QStringList users = recordUsers(folder);
    QCOMPARE(users.count(names.at(renames % 2)), 1);
    QCOMPARE(users.count(names.at((renames + 1) % 2)), 0);
    for (int round = 0; round < sharedfolder::Rounds; ++round)
        QVERIFY(users.contains(sharedfolder::userName("B", round)));
}

QTEST_GUILESS_MAIN(ClassRosterTest)
#include "test_classroster.moc"
