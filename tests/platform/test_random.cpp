#include "platform/random.h"
#include "support/sequencerandom.h"

#include <QTest>

#include <climits>

using namespace tivoral;

class RandomTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawStaysInRange();
    void startsFromFixedSeedAndReseedsAnew();
};

void RandomTest::drawStaysInRange() {
    // The largest raw draw must stay below one, or a draw would pick one past the last choice.
    const double highest = DefaultRandom::toUnitInterval(UINT64_MAX);
    QCOMPARE(testing::SequenceRandom({highest}).draw(6), 5);
    QCOMPARE(testing::SequenceRandom({highest}).draw(INT_MAX), INT_MAX - 1);
    QCOMPARE(testing::SequenceRandom({0.7}).draw(-3), 0);
}

void RandomTest::startsFromFixedSeedAndReseedsAnew() {
    const auto firstValues = [](DefaultRandom& random) {
        return QList{random.next(), random.next(), random.next(), random.next()};
    };
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
