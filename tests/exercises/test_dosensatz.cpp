#include "exerciserun.h"
#include "exercises/dosensatz.h"

#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Essen = QStringLiteral("Nach dem Essen mache ich meine Hausaufgaben.");
const QString Bauer = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.");

using DosensatzRun = ExerciseRun<DosensatzExercise>;

} // namespace

class DosensatzTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shuffleTakesFromTheSortedPool_data();
    void shuffleTakesFromTheSortedPool();
    void finishingBringsOnePointPerPiece();
};

void DosensatzTest::shuffleTakesFromTheSortedPool_data() {
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QString>("display");
    // Sorted pool of the sentence: "aufs Bauer dem Der fährt Feld. mit Traktor".
    QTest::newRow("always the first: sorted order")
        << QList<double>{0.0} << QStringLiteral("aufs Bauer dem Der fährt Feld. mit Traktor ");
    QTest::newRow("always the last: reverse order")
        << QList<double>{AlmostOne}
        << QStringLiteral("Traktor mit Feld. fährt Der dem Bauer aufs ");
    QTest::newRow("the middle, then the first, in turn")
        << QList<double>{0.5, 0.0} << QStringLiteral("fährt aufs Feld. Bauer mit dem Traktor Der ");
}

void DosensatzTest::shuffleTakesFromTheSortedPool() {
    QFETCH(QList<double>, draws);
    DosensatzRun run({Bauer}, draws);
    run.start();
    QTEST(run.exercise.wordDisplay(), "display");
    QCOMPARE(run.random.draws, 8);
    run.frame.nextSentence(run.exercise);
    QCOMPARE(run.random.seedings, 0);
}

void DosensatzTest::finishingBringsOnePointPerPiece() {
    DosensatzRun run({Bauer, Essen});
    run.app.points.set(3);
    run.start();
    run.exercise.typeAnswer(QStringLiteral("Der b"));
    QVERIFY(!run.exercise.answerIsPrefix());

    QSignalSpy replaced(&run.exercise, &DosensatzExercise::answerReplaced);
    run.type(Bauer);
    QCOMPARE(run.app.points.value(), 3 + 8);
    QCOMPARE(run.dialogs.messages().size(), 1);
    QCOMPARE(run.dialogs.last().icon, Icon::Information);
    // The next sentence is ready with an empty, black input.
    QCOMPARE(run.frame.target(), Essen);
    QCOMPARE(replaced.size(), 1);
    QVERIFY(run.exercise.answer().isEmpty());
    QVERIFY(run.exercise.answerIsPrefix());
    QCOMPARE(run.exercise.wordList().size(), 7);
}

QTEST_GUILESS_MAIN(DosensatzTest)
#include "test_dosensatz.moc"
