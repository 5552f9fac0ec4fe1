#include "platform/textcase.h"

#include <QTest>

using namespace tivoral;

class TextCaseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mapsOneCharacterToOne_data();
    void mapsOneCharacterToOne();
};

void TextCaseTest::mapsOneCharacterToOne_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::newRow("ß stays ß") << QStringLiteral("Die Straße") << QStringLiteral("DIE STRAßE")
                               << QStringLiteral("die straße");
    QTest::newRow("umlauts") << QStringLiteral("Äpfel für Öl") << QStringLiteral("ÄPFEL FÜR ÖL")
                             << QStringLiteral("äpfel für öl");
    QTest::newRow("ÿ and Ÿ") << QStringLiteral("ÿŸ") << QStringLiteral("ŸŸ")
                             << QStringLiteral("ÿÿ");
    QTest::newRow("digits and marks")
        << QStringLiteral("3 Äste, 2 Bäume!") << QStringLiteral("3 ÄSTE, 2 BÄUME!")
        << QStringLiteral("3 äste, 2 bäume!");
    QTest::newRow("ligature has no single capital")
        << QStringLiteral("\uFB00") << QStringLiteral("\uFB00") << QStringLiteral("\uFB00");
    QTest::newRow("surrogate pair stays whole")
        << QStringLiteral("a\U0001F600b") << QStringLiteral("A\U0001F600B")
        << QStringLiteral("a\U0001F600b");
}

void TextCaseTest::mapsOneCharacterToOne() {
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QCOMPARE(toUpperOneToOne(text), upper);
    QCOMPARE(toLowerOneToOne(text), lower);
    QCOMPARE(toUpperOneToOne(text).size(), text.size());
}

QTEST_GUILESS_MAIN(TextCaseTest)
#include "test_textcase.moc"
