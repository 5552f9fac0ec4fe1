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
const QString Record = QString::fromLatin1(practicerecord::FileName);
const QString Hund = u"Der Hund bellt."_s;
const QString Katze = u"Die Katze schläft."_s;
const QString Vater = u"Vater bringt das Auto in die Werkstatt."_s;
const QDateTime SetUpTime(QDate(2026, 12, 6), QTime(14, 3, 0));
constexpr int SecondsTaken = 42;

// An exercise run on a loaded file whose clock the test moves.
template <typename T> struct RecordedRun : ExerciseRun<T> {
    explicit RecordedRun(const QStringList& sentences) : ExerciseRun<T>(sentences) {
        this->app.fileStatus.setLoaded(u"2"_s, u"TIERE.TXT"_s, u"TIERE.TXT"_s);
        this->app.practiceRecord.setClock([this] { return now; });
    }

    PracticeEntry expected(Event event, const QString& sentence, int reds, int helps,
                           int points) const {
        return PracticeEntry{now,
                             this->app.users.current(),
                             event,
                             this->exercise.profile().name,
                             u"TIERE.TXT"_s,
                             sentence,
                             int(SetUpTime.secsTo(now)),
                             reds,
                             helps,
                             points};
    }
    // The lines written so far, without the header.
    QByteArray lines() const {
        const QByteArray bytes = this->folder.read(Record);
        return bytes.mid(PracticeRecord::headerBytes().size());
    }

    QDateTime now = SetUpTime;
};

} // namespace

class PracticeLogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void finishedSentenceCountsTimeRedsAndHelps();
    void skippedSentenceAndWrongPieces();
    void sameSentenceBuiltAgainKeepsItsCount();
    void failedAppendLetsTheChildGoOn();
};

void PracticeLogTest::finishedSentenceCountsTimeRedsAndHelps() {
    RecordedRun<Dosensatz> run({Hund, Katze});
    QVERIFY(run.start());
    run.type(u"Der X"_s);                // red once
    run.exercise.typeAnswer(u"Der Y"_s); // still red: no new count
    run.exercise.typeAnswer(u"Der "_s);
    run.type(u"Der Hunt"_s); // red again
    run.now = SetUpTime.addSecs(10);
    run.frame.useLupe(run.exercise);
    const PracticeEntry lupe = run.expected(Event::Lupe, Hund, 2, ExerciseFrame::LupeCost, 0);
    run.now = SetUpTime.addSecs(20);
    run.frame.useRettungsring(run.exercise);
    const PracticeEntry ring =
        run.expected(Event::Rettungsring, Hund, 2, ExerciseFrame::RettungsringCost, 0);
    run.now = SetUpTime.addSecs(SecondsTaken);
    const PracticeEntry finished =
        run.expected(Event::SentenceFinished, Hund, 2,
                     ExerciseFrame::LupeCost + ExerciseFrame::RettungsringCost, 3);
    run.type(Hund);
    QCOMPARE(run.lines(), PracticeRecord::lineBytes(lupe) + PracticeRecord::lineBytes(ring) +
                              PracticeRecord::lineBytes(finished));
    QCOMPARE(run.app.points.value(), 3); // scoring as before: the helps found no points to take
}

void PracticeLogTest::skippedSentenceAndWrongPieces() {
    RecordedRun<PuzzleExercise> run({Vater, Hund});
    QVERIFY(run.start());
    run.exercise.dropTile(1); // "Auto " is not the first word
    run.exercise.dropTile(1);
    run.now = SetUpTime.addSecs(SecondsTaken);
    const PracticeEntry skipped = run.expected(Event::SentenceSkipped, Vater, 2, 0, 0);
    run.frame.nextSentence(run.exercise);
    QCOMPARE(run.lines(), PracticeRecord::lineBytes(skipped));
    QCOMPARE(run.frame.target(), Hund);
}

void PracticeLogTest::sameSentenceBuiltAgainKeepsItsCount() {
    RecordedRun<VerrutscherExercise> run({Hund, Katze});
    QVERIFY(run.start());
    run.type(u"Der X"_s);
    run.frame.setUpAgain(run.exercise); // "nochmal": a new misprint of the same sentence
    run.now = SetUpTime.addSecs(SecondsTaken);
    run.type(Hund);
    QCOMPARE(run.lines(),
             PracticeRecord::lineBytes(run.expected(Event::SentenceFinished, Hund, 1, 0, 3)));
}

void PracticeLogTest::failedAppendLetsTheChildGoOn() {
    RecordedRun<Dosensatz> run({Hund, Katze});
    QVERIFY(run.folder.dir().mkdir(Record));
    QVERIFY(run.start());
    run.type(Hund);
    QCOMPARE(run.app.practiceRecord.failedLines(), 1);
    QCOMPARE(run.dialogs.messages().size(), 1); // the praise only
    QCOMPARE(run.frame.target(), Katze);
    QCOMPARE(run.app.points.value(), 3);
}

QTEST_GUILESS_MAIN(PracticeLogTest)
#include "test_practicelog.moc"
