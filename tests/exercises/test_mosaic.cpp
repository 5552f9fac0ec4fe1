#include "exerciserun.h"
#include "exercises/mosaic.h"

#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

const QString Vater = QStringLiteral("Vater bringt das Auto in die Werkstatt.");
const QString VaterHidden = QStringLiteral("VATERBRINGTDASAUTOINDIEWERKSTATT.");
const QString Bauer = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.");
// Uses all 29 letters of the alphabet.
const QString Pangram =
    QStringLiteral("Zwölf Boxkämpfer jagen Viktor quer über den großen Sylter Deich.");

using MosaicRun = ExerciseRun<MosaicExercise>;

} // namespace

class MosaicTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hiddenTextAndSpareLetters_data();
    void hiddenTextAndSpareLetters();
    void gridFollowsTheDrawsExactly_data();
    void gridFollowsTheDrawsExactly();
    void gridKeepsItsInvariants_data();
    void gridKeepsItsInvariants();
    void gridWithoutFiller_data();
    void gridWithoutFiller();
    void finishedSentenceScoresAndBuildsNext();
    void newMosaicKeepsSentenceAndPoints();
    void lupeShowsWholeSentence();
    void rettungsringMarksInsteadOfMessage();
};

void MosaicTest::hiddenTextAndSpareLetters_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("hiddenText");
    QTest::addColumn<QString>("spareLetters");

    QTest::newRow("umlaut in capitals")
        << Bauer << QStringLiteral("DERBAUERFÄHRTMITDEMTRAKTORAUFSFELD.")
        << QStringLiteral("CGJNPQVWXYZÖÜ");
    QTest::newRow("ß stays") << QStringLiteral("Der Fuß ist groß.")
                             << QStringLiteral("DERFUßISTGROß.")
                             << QStringLiteral("ABCHJKLMNPQVWXYZÄÖÜ");
}

void MosaicTest::hiddenTextAndSpareLetters() {
    QFETCH(QString, sentence);
    QFETCH(QString, hiddenText);
    QFETCH(QString, spareLetters);
    SequenceRandom random;
    const Mosaic mosaic = buildMosaic(sentence, random);
    QCOMPARE(mosaic.hiddenText, hiddenText);
    QCOMPARE(mosaic.spareLetters, spareLetters);
}

void MosaicTest::gridFollowsTheDrawsExactly_data() {
    QTest::addColumn<double>("draw");
    QTest::addColumn<QString>("fillerLetter");
    QTest::addColumn<QString>("grid");
    const QString fillers = QString(Mosaic::CellCount - VaterHidden.size(), QLatin1Char('C'));

    QTest::newRow("always 0: fillers in front")
        << 0.0 << QStringLiteral("C") << fillers + VaterHidden;
    QTest::newRow("just below 1: fillers before the last character")
        << AlmostOne << QStringLiteral("Ü")
        << VaterHidden.chopped(1) + QString(fillers.size(), QChar(u'Ü')) + QStringLiteral(".");
}

void MosaicTest::gridFollowsTheDrawsExactly() {
    QFETCH(double, draw);
    QFETCH(QString, fillerLetter);
    QFETCH(QString, grid);
    SequenceRandom random({draw});
    const Mosaic mosaic = buildMosaic(Vater, random);
    QCOMPARE(mosaic.fillerLetter, fillerLetter);
    QCOMPARE(mosaic.grid, grid);
    QCOMPARE(random.draws, 1 + Mosaic::CellCount - int(VaterHidden.size()));
    QCOMPARE(random.seedings, 0);
}

void MosaicTest::gridKeepsItsInvariants_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QList<double>>("draws");
    QTest::newRow("Vater, mixed draws") << Vater << QList<double>{0.31, 0.77, 0.02, 0.5, 0.93};
    QTest::newRow("one letter") << QStringLiteral("A") << QList<double>{0.4, 0.9, 0.0};
}

void MosaicTest::gridKeepsItsInvariants() {
    QFETCH(QString, sentence);
    QFETCH(QList<double>, draws);
    SequenceRandom random(draws);
    const Mosaic mosaic = buildMosaic(sentence, random);
    QCOMPARE(mosaic.grid.size(), Mosaic::CellCount);
    QVERIFY(mosaic.spareLetters.contains(mosaic.fillerLetter));
    QVERIFY(!mosaic.hiddenText.contains(mosaic.fillerLetter));
    QCOMPARE(mosaic.grid.back(), mosaic.hiddenText.back());
    QCOMPARE(random.draws, 1 + Mosaic::CellCount - int(mosaic.hiddenText.size()));
    QString marked;
    for (int index = 0; index < Mosaic::CellCount; ++index) {
        const bool isFiller = QString(mosaic.cell(index)) == mosaic.fillerLetter;
        QCOMPARE(mosaic.isSentenceCell(index), !isFiller);
        if (!isFiller)
            marked.append(mosaic.cell(index));
    }
    QCOMPARE(marked, mosaic.hiddenText);
}

void MosaicTest::gridWithoutFiller_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<int>("sentenceCells");
    QTest::addColumn<int>("draws");
    QTest::newRow("longer than the grid")
        << QStringList(80, QStringLiteral("Baum")).join(QLatin1Char(' ')) << Mosaic::CellCount << 1;
    QTest::newRow("every letter used") << Pangram << 55 << 1 + Mosaic::CellCount - 55;
}

void MosaicTest::gridWithoutFiller() {
    QFETCH(QString, sentence);
    QFETCH(int, sentenceCells);
    SequenceRandom random({0.5});
    const Mosaic mosaic = buildMosaic(sentence, random);
    QCOMPARE(mosaic.grid, mosaic.hiddenText);
    QTEST(random.draws, "draws");
    for (int index = 0; index < Mosaic::CellCount; ++index)
        QCOMPARE(mosaic.isSentenceCell(index), index < sentenceCells);
}

void MosaicTest::finishedSentenceScoresAndBuildsNext() {
    MosaicRun run({Vater, Bauer});
    run.start();
    run.exercise.showRettungsringHelp();
    run.type(Vater);
    QCOMPARE(run.app.points.value(), 7);
    QCOMPARE(run.dialogs.messages().size(), 1);
    QCOMPARE(run.dialogs.last().icon, Icon::None);
    QCOMPARE(run.app.store.selected(), 1);
    QCOMPARE(run.exercise.mosaic().hiddenText,
             QStringLiteral("DERBAUERFÄHRTMITDEMTRAKTORAUFSFELD."));
    QVERIFY(!run.exercise.isMarked());
    QCOMPARE(run.exercise.answer(), QString());
    QVERIFY(run.exercise.answerIsPrefix());
}

void MosaicTest::newMosaicKeepsSentenceAndPoints() {
    MosaicRun run({Vater, Bauer}, {0.0, 0.3, 0.8});
    QSignalSpy focus(&run.exercise, &Exercise::focusInputRequested);
    QVERIFY(run.start());
    QCOMPARE(run.random.seedings, 1);
    QCOMPARE(run.exercise.mosaic().hiddenText, VaterHidden);
    QCOMPARE(focus.count(), 1);
    run.app.points.set(4);
    run.exercise.typeAnswer(QStringLiteral("Vat"));
    run.exercise.showRettungsringHelp();
    run.frame.setUpAgain(run.exercise);
    QCOMPARE(run.random.seedings, 2);
    QCOMPARE(run.app.store.selected(), 0);
    QCOMPARE(run.frame.target(), Vater);
    QCOMPARE(run.app.points.value(), 4);
    QCOMPARE(run.exercise.answer(), QString());
    QVERIFY(run.exercise.answerIsPrefix());
    QVERIFY(!run.exercise.isMarked());
    QVERIFY(run.dialogs.boxes.isEmpty());
}

void MosaicTest::lupeShowsWholeSentence() {
    MosaicRun run({Vater});
    run.start();
    QSignalSpy focus(&run.exercise, &Exercise::focusInputRequested);
    run.frame.useLupe(run.exercise);
    QCOMPARE(run.dialogs.prompts(), QStringList{Vater + "\r\r"});
    QCOMPARE(run.dialogs.last().title, QStringLiteral("Gesuchter Satz:"));
    QCOMPARE(run.app.points.value(), 0);
    QCOMPARE(focus.count(), 1);
}

void MosaicTest::rettungsringMarksInsteadOfMessage() {
    MosaicRun run({Vater});
    run.start();
    run.app.points.set(5);
    QSignalSpy repaints(&run.exercise, &MosaicExercise::mosaicChanged);
    const QString grid = run.exercise.mosaic().grid;

    run.frame.useRettungsring(run.exercise);
    QVERIFY(run.exercise.isMarked());
    QCOMPARE(run.app.points.value(), 2);
    run.frame.useRettungsring(run.exercise);
    QVERIFY(run.exercise.isMarked());
    QCOMPARE(run.app.points.value(), 0);

    QVERIFY(run.dialogs.boxes.isEmpty());
    QCOMPARE(repaints.count(), 2);
    QCOMPARE(run.exercise.mosaic().grid, grid);
}

QTEST_GUILESS_MAIN(MosaicTest)
#include "test_mosaic.moc"
