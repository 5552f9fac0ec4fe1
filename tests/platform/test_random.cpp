#include "platform/random.h"
#include "support/sequencerandom.h"

#include <QTest>

#include <climits>

using namespace tivoral;
using tivoral::testing::SequenceRandom;

namespace {
QList<double> firstValues(RandomSource& random) {
    return {random.next(), random.next(), random.next(), random.next()};
}
// The largest raw draw must stay below one, or a draw would pick one past the last choice.
const double Highest = DefaultRandom::toUnitInterval(UINT64_MAX);
} // namespace

class RandomTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawStaysInRange_data();
    void drawStaysInRange();
    void startsFromFixedSeedAndReseedsAnew();
};

void RandomTest::drawStaysInRange_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("expected");
    QTest::newRow("highest") << Highest << 6 << 5;
    QTest::newRow("largest n") << Highest << INT_MAX << INT_MAX - 1;
    QTest::newRow("negative n") << 0.7 << -3 << 0;
}

void RandomTest::drawStaysInRange() {
    QFETCH(double, x);
    QFETCH(int, n);
    SequenceRandom random({x});
    QTEST(random.draw(n), "expected");
}

void RandomTest::startsFromFixedSeedAndReseedsAnew() {
    DefaultRandom first;
    DefaultRandom second;
    const QList<double> unseeded = firstValues(first);
    QCOMPARE(firstValues(second), unseeded);
    // Two seedings in the same second, most likely the same millisecond, still differ.
    first.seedFromTimeOfDay();
    const QList<double> seeded = firstValues(first);
    first.seedFromTimeOfDay();
    QVERIFY(firstValues(first) != seeded);
    QVERIFY(seeded != unseeded);
}

QTEST_GUILESS_MAIN(RandomTest)
#include "test_random.moc"
