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
    void piecesOfTheSentence_data();
    void piecesOfTheSentence();
    void shuffleTakesFromTheSortedPool_data();
    void shuffleTakesFromTheSortedPool();
    void finishingBringsOnePointPerPiece();
};

void DosensatzTest::piecesOfTheSentence_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("one word") << QStringLiteral("Hallo") << QStringList{QStringLiteral("Hallo ")};
    // The editor can store a sentence with a trailing blank: one piece, not two words.
    QTest::newRow("trailing blank gets no second blank")
        << QStringLiteral("Der Hund ")
        << QStringList{QStringLiteral("Der "), QStringLiteral("Hund ")};
    QTest::newRow("repeated word gives two pieces")
        << QStringLiteral("die Katze und die Maus")
        << QStringList{QStringLiteral("die "), QStringLiteral("die "), QStringLiteral("Katze "),
                       QStringLiteral("Maus "), QStringLiteral("und ")};
    QTest::newRow("sorted without regard to case, umlauts beside their letter")
        << QStringLiteral("Zug über Ufer am Öl oder Apfel")
        << QStringList{QStringLiteral("am "), QStringLiteral("Apfel "), QStringLiteral("oder "),
                       QStringLiteral("Öl "), QStringLiteral("über "),  QStringLiteral("Ufer "),
                       QStringLiteral("Zug ")};
}

void DosensatzTest::piecesOfTheSentence() {
    QFETCH(QString, sentence);
    QFETCH(QStringList, pieces);
    DosensatzRun run({sentence});
    run.start();
    QCOMPARE(run.exercise.wordList(), pieces);
    for (const QString& piece : pieces)
        QCOMPARE(run.exercise.wordDisplay().count(piece), pieces.count(piece));
    run.type(sentence);
    QCOMPARE(run.app.points.value(), pieces.size());
}

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
    QFETCH(QString, display);
    DosensatzRun run({Bauer}, draws);
    run.start();
    QCOMPARE(run.exercise.wordDisplay(), display);
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
