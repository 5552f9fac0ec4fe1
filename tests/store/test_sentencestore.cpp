#include "store/sentencestore.h"

#include <QTest>

using namespace tivoral;

class SentenceStoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesCountWithLeadingBlank_data();
    void writesCountWithLeadingBlank();
    void holdsAtMostMaxEntries();
    void keepsSelectionInside();
};

void SentenceStoreTest::writesCountWithLeadingBlank_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0 << " 0";
    QTest::newRow("three") << 3 << " 3";
    QTest::newRow("most") << SentenceStore::MaxEntries << " 32767";
}

void SentenceStoreTest::writesCountWithLeadingBlank() {
    QFETCH(int, count);
    QFETCH(QString, text);
    QCOMPARE(SentenceStore::countText(count), text);
}

void SentenceStoreTest::holdsAtMostMaxEntries() {
    SentenceStore store;
    store.setEntries(QStringList(SentenceStore::MaxEntries + 1, QStringLiteral("Satz")));
    QCOMPARE(store.count(), SentenceStore::MaxEntries);
    QVERIFY(!store.append(QStringLiteral("einer zu viel")));
    QCOMPARE(store.count(), SentenceStore::MaxEntries);
    store.remove(0);
    QVERIFY(store.append(QStringLiteral("passt wieder")));
    QCOMPARE(store.entries().constLast(), QStringLiteral("passt wieder"));
}

void SentenceStoreTest::keepsSelectionInside() {
    SentenceStore store;
    store.setEntries({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    QCOMPARE(store.selected(), SentenceStore::NoSelection);
    store.setSelected(3);
    QCOMPARE(store.selected(), SentenceStore::NoSelection);
    store.setSelected(2);
    store.remove(2);
    QCOMPARE(store.selected(), SentenceStore::NoSelection);
    store.setSelected(1);
    store.clear();
    QCOMPARE(store.selected(), SentenceStore::NoSelection);
}

QTEST_GUILESS_MAIN(SentenceStoreTest)
#include "test_sentencestore.moc"
