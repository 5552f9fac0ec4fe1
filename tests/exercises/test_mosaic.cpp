#include "exerciserun.h"
#include "exercises/mosaic.h"

#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Vater = QStringLiteral("Vater bringt das Auto in die Werkstatt.");
const QString VaterHidden = QStringLiteral("VATERBRINGTDASAUTOINDIEWERKSTATT.");

using MosaicRun = ExerciseRun<MosaicExercise>;

} // namespace

class MosaicTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void grid_data();
    void grid();
    void rettungsringMarksInsteadOfTelling();
};

void MosaicTest::grid_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<double>("draw");
    QTest::addColumn<QString>("spareLetters");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("sentenceCells"); // the first cells; -1: not all in front
    const qsizetype fillers = Mosaic::CellCount - VaterHidden.size();
    const QString spares = QStringLiteral("CFHJLMPQXYZÄÖÜ");
    QTest::newRow("always 0: fillers in front")
        << Vater << 0.0 << spares << QString(fillers, QLatin1Char('C')) + VaterHidden << -1;
    const QString trees = QStringList(80, QStringLiteral("Baum")).join(QLatin1Char(' '));
    QTest::newRow("longer than the grid: no filler")
        << trees << 0.5 << QStringLiteral("CDEFGHIJKLNOPQRSTVWXYZÄÖÜ")
        << QString(trees).remove(QLatin1Char(' ')).toUpper() << Mosaic::CellCount;
    QTest::newRow("every letter used: no filler")
        << QStringLiteral("Zwölf Boxkämpfer jagen Viktor quer über den großen Sylter Deich.") << 0.5
        << QString() << QStringLiteral("ZWÖLFBOXKÄMPFERJAGENVIKTORQUERÜBERDENGROẞENSYLTERDEICH.")
        << 55;
}

void MosaicTest::grid() {
    QFETCH(QString, sentence);
    QFETCH(double, draw);
    QFETCH(int, sentenceCells);
    SequenceRandom random({draw});
    const Mosaic mosaic = buildMosaic(sentence, random);
    QTEST(mosaic.spareLetters, "spareLetters");
    QTEST(mosaic.grid, "grid");
    QCOMPARE(random.draws, 1 + qMax(0, Mosaic::CellCount - int(mosaic.hiddenText.size())));
    QCOMPARE(random.seedings, 0);
    for (int index = 0; index < Mosaic::CellCount; ++index)
        QCOMPARE(mosaic.isSentenceCell(index),
                 sentenceCells < 0 ? QString(mosaic.cell(index)) != mosaic.fillerLetter
                                   : index < sentenceCells);
}

void MosaicTest::rettungsringMarksInsteadOfTelling() {
    MosaicRun run({Vater});
    run.start();
    QSignalSpy repaints(&run.exercise, &MosaicExercise::mosaicChanged);
    const QString grid = run.exercise.mosaic().grid;
    // The Rettungsring marks the sentence's cells instead of telling it.
    run.app.points.set(5);
    run.frame.useRettungsring(run.exercise);
    QVERIFY(run.exercise.isMarked());
    QCOMPARE(run.app.points.value(), 2);
    QVERIFY(run.dialogs.boxes.isEmpty());
    QCOMPARE(repaints.count(), 1);
    QCOMPARE(run.exercise.mosaic().grid, grid);
}

QTEST_GUILESS_MAIN(MosaicTest)
#include "test_mosaic.moc"
