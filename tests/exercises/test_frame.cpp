#include "exerciserun.h"
#include "exercises/dosensatz.h"
#include "exercises/exercise.h"
#include "exercises/sentencerules.h"
#include "store/practiceentry.h"

#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

const QString Bauer = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.");
const QString Rotation =
    QStringLiteral("Es wurden alle Sätze bearbeitet.\rDie Satzwahl beginnt von vorne.\r\r");
const QString NoFile = QStringLiteral("Es ist keine Datei geladen.\r\r");
const QString Blanks50 = QString(50, QLatin1Char(' '));

// Records what the frame asks of an exercise.
class RecordingExercise final : public Exercise {
public:
    explicit RecordingExercise(ExerciseFrame& frame) : Exercise(frame, ExerciseProfile()) {}
    void setUp(const QString& sentence) override { setUps.append(sentence); }
    bool isSetUp() const override { return !setUps.isEmpty(); }
    QStringList setUps;
};

using FrameRun = ExerciseRun<RecordingExercise>;

QStringList sentences(int count) {
    QStringList result;
    for (int i = 1; i <= count; ++i)
        result.append(QStringLiteral("Satz Nummer %1.").arg(i));
    return result;
}

using Event = PracticeEntry::Event;
const QString Hund = u"Der Hund bellt."_s;
const QString Vater = u"Vater bringt das Auto in die Werkstatt."_s;
const QDateTime SetUpTime(QDate(2026, 12, 6), QTime(14, 3, 0));

// An exercise run on a loaded file whose clock the test moves.
template <typename T> struct RecordedRun : ExerciseRun<T> {
    explicit RecordedRun(const QStringList& sentences, QList<double> draws = {0.0})
        : ExerciseRun<T>(sentences, std::move(draws)) {
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

class FrameTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lastSentenceRotatesToTheFirst_data();
    void lastSentenceRotatesToTheFirst();
    void helpToolsShowAndCost();
    void checkTyping_data();
    void checkTyping();
    void emptiedStoreLeavesTheExercise();
    void troubleSentenceAfterEveryThird();
    void finishedSentenceCountsTimeRedsAndHelps();
    void dosensatzShufflesAndGoesOnWhenTheLogFails();
};

void FrameTest::lastSentenceRotatesToTheFirst_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("one sentence rotates to itself") << 1;
    QTest::newRow("three sentences in order") << 3;
}

void FrameTest::lastSentenceRotatesToTheFirst() {
    QFETCH(int, count);
    const QStringList list = sentences(count);
    FrameRun run(list);
    QVERIFY(run.start());
    for (int i = 0; i < count; ++i)
        run.frame.completeSentence(run.exercise, 2);
    QCOMPARE(run.exercise.setUps, list + QStringList{list.first()});
    // Rotation told once, after the last sentence.
    QCOMPARE(run.dialogs.prompts().indexOf(Rotation), run.dialogs.prompts().size() - 1);
    QCOMPARE(run.app.points.value(), 2 * count);
    // Leaving and coming back starts from the top again.
    run.frame.completeSentence(run.exercise, 2);
    run.frame.leaveExercise(run.exercise);
    run.start();
    QCOMPARE(run.exercise.setUps.constLast(), list.first());
}

void FrameTest::helpToolsShowAndCost() {
    // The help shows the sentence as stored, whatever the text case.
    FrameRun run({QStringLiteral("Hallo!"), Bauer}, {0.0}, TextCase::Upper);
    run.folder.write(u"TIVORAL.OPT"_s, "[*]\r\nSatzAnhoeren = ja\r\n");
    run.app.readingAids.reload();
    run.start();
    QSignalSpy focus(&run.exercise, &Exercise::focusInputRequested);
    run.frame.useLupe(run.exercise); // no blank, so no word; 0 points stay 0
    QCOMPARE(run.app.points.value(), 0);
    run.app.points.set(5);
    run.frame.hearTarget(run.exercise); // offered, but without a voice it costs nothing
    QCOMPARE(run.app.points.value(), 5);
    run.frame.nextSentence(run.exercise);
    run.app.points.set(-4);
    run.frame.useRettungsring(run.exercise); // below 0 lifts to 0
    QCOMPARE(run.app.points.value(), 0);
    QCOMPARE(run.dialogs.prompts(),
             (QStringList{" . . .\r" + Blanks50 + "\r", Bauer + "\r" + Blanks50 + "\r"}));
    QCOMPARE(focus.count(), 2);
}

void FrameTest::checkTyping_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("prefix");
    QTest::addColumn<bool>("finished");
    // A keyboard types ' " - ... where the teacher's text has typographic marks.
    const QString komm = QStringLiteral("„Komm!“, rief sie – »bitte«… ‚ja‘ — gut");
    QTest::newRow("apostrophe typed as '")
        << QStringLiteral("Wie geht's dir?") << QStringLiteral("Wie geht’s dir?") << true << true;
    QTest::newRow("marks and keyboard forms mixed")
        << QStringLiteral("„Komm!\", rief sie – \"bitte«... 'ja‘ — gut") << komm << true << true;
    QTest::newRow("capital sharp s typed as ß, or as itself")
        << QStringLiteral("DIE STRAßE UND DIE GAẞE") << QStringLiteral("DIE STRAẞE UND DIE GAẞE")
        << true << true;
    QTest::newRow("ß typed for ẞ is not two s")
        << QStringLiteral("STRASS") << QStringLiteral("STRAẞE") << false << false;
    QTest::newRow("a mark where the sentence has none is red")
        << QStringLiteral("Der Bauer fährt...") << Bauer << false << false;
}

void FrameTest::checkTyping() {
    QFETCH(QString, typed);
    QFETCH(QString, target);
    const TypingCheck check = tivoral::checkTyping(typed, target);
    QTEST(check.isPrefix, "prefix");
    QTEST(check.finished, "finished");
}

void FrameTest::emptiedStoreLeavesTheExercise() {
    for (int step = 0; step < 3; ++step) {
        FrameRun run(sentences(2));
        run.start();
        run.app.store.clear();
        if (step == 0)
            run.frame.nextSentence(run.exercise);
        else if (step == 1)
            run.frame.setUpAgain(run.exercise);
        else
            run.frame.completeSentence(run.exercise, 3);
        QCOMPARE(run.frame.running(), nullptr);
        QCOMPARE(run.exercise.setUps.size(), 1);
        QCOMPARE(run.dialogs.prompts().constLast(), NoFile);
        QVERIFY(!run.dialogs.prompts().contains(Rotation));
    }
}

void FrameTest::troubleSentenceAfterEveryThird() {
    const QStringList seven = sentences(7);
    FrameRun run(seven);
    run.folder.write(QStringLiteral("TIVORAL.INF"), "Ben\r\nLena\r\n");
    run.folder.write(QStringLiteral("TIVORAL.OPT"), "[Lena]\r\nSchwierigeSaetzeOefter = ja\r\n");
    // Sentence 2 is the hardest but was shown lately; after the inserted sentence the list goes
    // on where it left off.
    run.folder.write(
        QString::fromLatin1(practicerecord::FileName),
        "\xEF\xBB\xBF"
        "Datum;Uhrzeit;Benutzer;Ereignis;Übung;Datei;Satz;Sekunden;Rot;Hilfen;Punkte\r\n"
        "2026-12-01;10:00:00;Lena;Satz fertig;Dosensatz;TIERE.TXT;Satz Nummer 2.;9;4;3;3\r\n"
        "2026-12-01;10:01:00;Lena;Satz fertig;Dosensatz;TIERE.TXT;Satz Nummer 6.;9;2;1;3\r\n"
        "2026-12-01;10:02:00;Ben;Satz fertig;Dosensatz;TIERE.TXT;Satz Nummer 4.;9;9;9;3\r\n"
        "2026-12-01;10:03:00;Lena;Satz fertig;Dosensatz;TIERE.TXT;Satz Nummer 7.;9;1;0;3\r\n");
    QVERIFY(run.app.users.load());
    run.app.users.selectUser(1);
    run.app.fileStatus.setLoaded(7, QString(), QStringLiteral("tiere.txt"));
    run.start();
    for (int finished = 0; finished < 6; ++finished)
        run.frame.completeSentence(run.exercise, 3);
    const QList<int> order{0, 1, 2, 5, 3, 4, 6};
    for (int k = 0; k < order.size(); ++k)
        QCOMPARE(run.exercise.setUps.at(k), seven.at(order.at(k)));
}

void FrameTest::finishedSentenceCountsTimeRedsAndHelps() {
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

// The Dosensatz takes its pieces from the sorted pool, in the order the draws pick them.
void FrameTest::dosensatzShufflesAndGoesOnWhenTheLogFails() {
    RecordedRun<DosensatzExercise> run({Bauer, Vater}, {0.5, 0.0});
    QVERIFY(run.folder.dir().mkdir(u"PROTOKOLL.CSV"_s));
    QVERIFY(run.start());
    QCOMPARE(run.exercise.wordDisplay(), u"fährt aufs Feld. Bauer mit dem Traktor Der "_s);
    QCOMPARE(run.random.draws, 8);
    run.exercise.typeAnswer(u"Der b"_s);
    QVERIFY(!run.exercise.answerIsPrefix());
    run.type(Bauer);
    QCOMPARE(run.app.practiceRecord.failedLines(), 1);
    QCOMPARE(run.dialogs.messages().size(), 1); // the praise only
    QCOMPARE(run.frame.target(), Vater);
    QCOMPARE(run.app.points.value(), 8);
    QVERIFY(run.exercise.answer().isEmpty());
    QVERIFY(run.exercise.answerIsPrefix());
    QCOMPARE(run.random.seedings, 0);
}

QTEST_GUILESS_MAIN(FrameTest)
#include "test_frame.moc"
