#include "platform/random.h"
#include "support/sequencerandom.h"

#include <QTest>

#include <climits>

using namespace tivoral;
using tivoral::testing::AlmostOne;
using tivoral::testing::SequenceRandom;

namespace {

constexpr int SampleCount = 8;

QList<double> firstValues(RandomSource& random) {
    QList<double> values;
    for (int i = 0; i < SampleCount; ++i)
        values.append(random.next());
    return values;
}

} // namespace

class RandomTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void neverReachesOne();
    void drawStaysInRange_data();
    void drawStaysInRange();
    void startsFromFixedSeed();
    void everySeedingGivesNewSequence();
};

void RandomTest::neverReachesOne() {
    QCOMPARE(DefaultRandom::toUnitInterval(0), 0.0);
    QVERIFY(DefaultRandom::toUnitInterval(UINT64_MAX) < 1.0);
    QCOMPARE(DefaultRandom::toUnitInterval(UINT64_MAX), AlmostOne);
    DefaultRandom random;
    for (int i = 0; i < 100000; ++i) {
        const double x = random.next();
        QVERIFY(x >= 0.0 && x < 1.0);
    }
}

void RandomTest::drawStaysInRange_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("expected");
    QTest::newRow("lowest") << 0.0 << 6 << 0;
    QTest::newRow("highest") << AlmostOne << 6 << 5;
    QTest::newRow("middle") << 0.5 << 6 << 3;
    QTest::newRow("just below a step") << 0.4999 << 2 << 0;
    QTest::newRow("one choice") << AlmostOne << 1 << 0;
    QTest::newRow("largest n") << AlmostOne << INT_MAX << INT_MAX - 1;
    QTest::newRow("no choice") << 0.7 << 0 << 0;
    QTest::newRow("negative n") << 0.7 << -3 << 0;
}

void RandomTest::drawStaysInRange() {
    QFETCH(double, x);
    QFETCH(int, n);
    QFETCH(int, expected);
    SequenceRandom random({x});
    QCOMPARE(random.draw(n), expected);
}

void RandomTest::startsFromFixedSeed() {
    DefaultRandom first;
    DefaultRandom second;
    QCOMPARE(firstValues(first), firstValues(second));
}

void RandomTest::everySeedingGivesNewSequence() {
    DefaultRandom unseeded;
    DefaultRandom random;
    random.seedFromTimeOfDay();
    const QList<double> afterFirst = firstValues(random);
    // Seeded again at once, within the same second and most likely the same millisecond.
    random.seedFromTimeOfDay();
    const QList<double> afterSecond = firstValues(random);
    QVERIFY(afterFirst != afterSecond);
    QVERIFY(afterFirst != firstValues(unseeded));
}

QTEST_GUILESS_MAIN(RandomTest)
#include "test_random.moc"
