#include "exerciserun.h"
#include "exercises/dosensatz.h"
#include "exercises/puzzle.h"
#include "exercises/verrutscher.h"

#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

using Event = PracticeEntry::Event;
const QString Hund = u"Der Hund bellt."_s;
const QString Vater = u"Vater bringt das Auto in die Werkstatt."_s;
const QDateTime SetUpTime(QDate(2026, 12, 6), QTime(14, 3, 0));

// An exercise run on a loaded file whose clock the test moves.
template <typename T> struct RecordedRun : ExerciseRun<T> {
    explicit RecordedRun(const QStringList& sentences) : ExerciseRun<T>(sentences) {
        this->app.fileStatus.setLoaded(2, u"TIERE.TXT"_s, u"TIERE.TXT"_s);
        this->app.practiceRecord.setClock([this] { return now; });
    }
    // The line the event should have written now.
    QByteArray line(Event event, const QString& sentence, int reds, int helps, int points) {
        return PracticeRecord::lineBytes({now, this->app.users.current(), event,
                                          this->exercise.profile().name, u"TIERE.TXT"_s, sentence,
                                          int(SetUpTime.secsTo(now)), reds, helps, points});
    }
    QByteArray lines() const {
        return this->folder.read(u"PROTOKOLL.CSV"_s).mid(PracticeRecord::headerBytes().size());
    }

    QDateTime now = SetUpTime;
};

} // namespace

class PracticeLogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void finishedSentenceCountsTimeRedsAndHelps();
    void wrongPiecesAndSkippedSentence();
    void sameSentenceBuiltAgainKeepsItsCount();
    void failedAppendLetsTheChildGoOn();
};

void PracticeLogTest::finishedSentenceCountsTimeRedsAndHelps() {
    RecordedRun<DosensatzExercise> run({Hund});
    QVERIFY(run.start());
    run.type(u"Der X"_s);                // red once
    run.exercise.typeAnswer(u"Der Y"_s); // still red: no new count
    run.type(u"Der Hunt"_s);             // black again, then red
    run.now = SetUpTime.addSecs(10);
    run.frame.useLupe(run.exercise);
    QByteArray expected = run.line(Event::Lupe, Hund, 2, 1, 0);
    run.now = SetUpTime.addSecs(20);
    run.frame.useRettungsring(run.exercise);
    expected += run.line(Event::Rettungsring, Hund, 2, 3, 0);
    run.now = SetUpTime.addSecs(42);
    run.type(Hund);
    QCOMPARE(run.lines(), expected + run.line(Event::SentenceFinished, Hund, 2, 1 + 3, 3));
}

void PracticeLogTest::wrongPiecesAndSkippedSentence() {
    RecordedRun<PuzzleExercise> run({Vater, Hund});
    QVERIFY(run.start());
    run.exercise.dropTile(1); // "Auto " is not the first word
    run.exercise.dropTile(1);
    run.now = SetUpTime.addSecs(42);
    const QByteArray skipped = run.line(Event::SentenceSkipped, Vater, 2, 0, 0);
    run.frame.nextSentence(run.exercise);
    QCOMPARE(run.lines(), skipped);
}

void PracticeLogTest::sameSentenceBuiltAgainKeepsItsCount() {
    RecordedRun<VerrutscherExercise> run({Hund});
    QVERIFY(run.start());
    run.type(u"Der X"_s);
    run.frame.setUpAgain(run.exercise); // a new misprint of the same sentence
    run.now = SetUpTime.addSecs(42);
    run.type(Hund);
    QCOMPARE(run.lines(), run.line(Event::SentenceFinished, Hund, 1, 0, 3));
}

void PracticeLogTest::failedAppendLetsTheChildGoOn() {
    RecordedRun<DosensatzExercise> run({Hund, Vater});
    QVERIFY(run.folder.dir().mkdir(u"PROTOKOLL.CSV"_s));
    QVERIFY(run.start());
    run.type(Hund);
    QCOMPARE(run.app.practiceRecord.failedLines(), 1);
    QCOMPARE(run.dialogs.messages().size(), 1); // the praise only
    QCOMPARE(run.frame.target(), Vater);
    QCOMPARE(run.app.points.value(), 3);
}

QTEST_GUILESS_MAIN(PracticeLogTest)
#include "test_practicelog.moc"
