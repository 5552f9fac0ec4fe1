// The chart's two scales: whole sentences on the left, tenths of red answers on the right, on
// the same grid lines, reaching the busiest and the reddest day without wasting the height.
#include "shell/practicechart.h"

#include <QTest>

using namespace tivoral;

class PracticeChartTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scalesFitTheBusiestAndReddestDay_data();
    void scalesFitTheBusiestAndReddestDay();
};

void PracticeChartTest::scalesFitTheBusiestAndReddestDay_data() {
    QTest::addColumn<int>("mostFinished");
    QTest::addColumn<double>("mostRed");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("finishedStep");
    QTest::addColumn<double>("redStep");
    QTest::newRow("quiet child: the smallest scales") << 3 << 0.4 << 5 << 1.0 << 0.5;
    QTest::newRow("busy day") << 12 << 1.0 << 6 << 2.0 << 0.5;
    QTest::newRow("many red answers") << 10 << 3.4 << 5 << 2.0 << 1.0;
    QTest::newRow("thousands in a day") << 2345 << 0.0 << 5 << 500.0 << 0.5;
    QTest::newRow("red answers on a day without a finished sentence")
        << 0 << 9.0 << 5 << 1.0 << 0.5;
}

void PracticeChartTest::scalesFitTheBusiestAndReddestDay() {
    QFETCH(int, mostFinished);
    QFETCH(double, mostRed);
    const QDate monday(2026, 11, 30);
    const std::vector<PracticeDay> days{
        {monday, 1, 0.2}, {monday.addDays(1), mostFinished, mostRed}, {monday.addDays(2), 0, 0}};
    const PracticeChartScales scales = PracticeChartScales::of(days);
    QTEST(scales.steps, "steps");
    QTEST(scales.finishedStep, "finishedStep");
    QTEST(scales.redStep, "redStep");
}

QTEST_GUILESS_MAIN(PracticeChartTest)
#include "test_practicechart.moc"
