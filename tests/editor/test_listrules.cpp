#include "editor/listrules.h"

#include <QTest>

using namespace tivoral;

class ListRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void duplicateTestIsCaseSensitive_data();
    void duplicateTestIsCaseSensitive();
    void wordCount_data();
    void wordCount();
    void wordDisplay_data();
    void wordDisplay();
    void warningAfterEighteenWords_data();
    void warningAfterEighteenWords();
    void countDisplayHasNoSingular_data();
    void countDisplayHasNoSingular();
    void deleteQuestionCutsAfterFortyCharacters_data();
    void deleteQuestionCutsAfterFortyCharacters();
    void copyEndsEveryLineWithCrLf_data();
    void copyEndsEveryLineWithCrLf();
    void pasteTakesNewCompleteLines_data();
    void pasteTakesNewCompleteLines();
    void copiedListPastesBackAsNothing();
};

void ListRulesTest::duplicateTestIsCaseSensitive_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("duplicate");
    const QStringList list{QStringLiteral("Der Hund bellt."), QStringLiteral("Die Katze schläft.")};
    QTest::newRow("same text") << list << QStringLiteral("Die Katze schläft.") << true;
    QTest::newRow("other case") << list << QStringLiteral("die Katze schläft.") << false;
    QTest::newRow("umlaut in other case") << list << QStringLiteral("Die Katze SCHLÄFT.") << false;
    QTest::newRow("trailing blank") << list << QStringLiteral("Der Hund bellt. ") << false;
    QTest::newRow("empty list") << QStringList() << QStringLiteral("Der Hund bellt.") << false;
}

void ListRulesTest::duplicateTestIsCaseSensitive() {
    QFETCH(QStringList, entries);
    QFETCH(QString, text);
    QFETCH(bool, duplicate);
    QCOMPARE(listrules::containsExactly(entries, text), duplicate);
}

void ListRulesTest::wordCount_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QString() << 1;
    QTest::newRow("one word") << QStringLiteral("Hund") << 1;
    QTest::newRow("two words") << QStringLiteral("Der Hund") << 2;
    QTest::newRow("leading blank") << QStringLiteral(" Der Hund") << 3;
    QTest::newRow("run of blanks") << QStringLiteral("Der    Hund") << 2;
    QTest::newRow("trailing blanks") << QStringLiteral("Der Hund   ") << 2;
    QTest::newRow("blanks only") << QStringLiteral("   ") << 1;
    QTest::newRow("tab is no blank") << QStringLiteral("Der\tHund") << 1;
    QTest::newRow("sentence") << QStringLiteral("Vater bringt das Auto in die Werkstatt.") << 7;
}

void ListRulesTest::wordCount() {
    QFETCH(QString, input);
    QFETCH(int, count);
    QCOMPARE(listrules::countInputWords(input), count);
}

void ListRulesTest::wordDisplay_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("one") << 1 << QStringLiteral(" 1 Wort");
    QTest::newRow("two") << 2 << QStringLiteral(" 2 Wörter");
    QTest::newRow("nineteen") << 19 << QStringLiteral(" 19 Wörter");
}

void ListRulesTest::wordDisplay() {
    QFETCH(int, count);
    QFETCH(QString, text);
    QCOMPARE(listrules::wordCountText(count), text);
}

void ListRulesTest::warningAfterEighteenWords_data() {
    QTest::addColumn<int>("words");
    QTest::addColumn<bool>("warning");
    QTest::newRow("17") << 17 << false;
    QTest::newRow("18") << 18 << false;
    QTest::newRow("19") << 19 << true;
}

void ListRulesTest::warningAfterEighteenWords() {
    QFETCH(int, words);
    QFETCH(bool, warning);
    QStringList sentence;
    for (int i = 0; i < words; ++i)
        sentence.append(QStringLiteral("Wort"));
    const int count = listrules::countInputWords(sentence.join(QLatin1Char(' ')));
    QCOMPARE(count, words);
    QCOMPARE(listrules::exceedsWordLimit(count), warning);
}

void ListRulesTest::countDisplayHasNoSingular_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0 << QStringLiteral(" 0 Sätze gefunden.");
    QTest::newRow("one") << 1 << QStringLiteral(" 1 Sätze gefunden.");
    QTest::newRow("most") << 32767 << QStringLiteral(" 32767 Sätze gefunden.");
}

void ListRulesTest::countDisplayHasNoSingular() {
    QFETCH(int, count);
    QFETCH(QString, text);
    QCOMPARE(listrules::listCountText(count), text);
}

void ListRulesTest::deleteQuestionCutsAfterFortyCharacters_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("shown");
    const QString forty = QStringLiteral("Die Schule macht mir heute keinen Spaß!!");
    QCOMPARE(forty.size(), 40);
    QTest::newRow("40 shown whole") << forty << forty;
    QTest::newRow("41 cut") << forty + QLatin1Char('x') << forty + QStringLiteral(" ...");
    QTest::newRow("short") << QStringLiteral("Hallo") << QStringLiteral("Hallo");
    QTest::newRow("empty") << QString() << QString();
    // A character outside the basic plane at the cut is not split into half a character.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("two-unit character at the cut")
        << QString(39, QLatin1Char('a')) + emoji + QLatin1Char('b')
        << QString(39, QLatin1Char('a')) + QStringLiteral(" ...");
}

void ListRulesTest::deleteQuestionCutsAfterFortyCharacters() {
    QFETCH(QString, entry);
    QFETCH(QString, shown);
    QCOMPARE(listrules::deleteQuestionText(entry), shown);
}

void ListRulesTest::copyEndsEveryLineWithCrLf_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty list") << QStringList() << QString();
    QTest::newRow("two lines") << QStringList{QStringLiteral("Eins."), QStringLiteral("Zwei.")}
                               << QStringLiteral("Eins.\r\nZwei.\r\n");
    QTest::newRow("empty entry kept")
        << QStringList{QString(), QStringLiteral("Zwei.")} << QStringLiteral("\r\nZwei.\r\n");
}

void ListRulesTest::copyEndsEveryLineWithCrLf() {
    QFETCH(QStringList, entries);
    QFETCH(QString, text);
    QCOMPARE(listrules::clipboardText(entries), text);
}

void ListRulesTest::pasteTakesNewCompleteLines_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("added");
    const QStringList list{QStringLiteral("Der Hund bellt."), QStringLiteral("Die Katze schläft.")};
    QTest::newRow("second line differs only in case")
        << list << QStringLiteral("Ein Vogel singt.\r\nDER HUND BELLT.\r\nDie Kuh muht.\r\n")
        << QStringList{QStringLiteral("Ein Vogel singt."), QStringLiteral("Die Kuh muht.")};
    QTest::newRow("last line without line break")
        << list << QStringLiteral("Eins.\r\nZwei.\r\nDrei.")
        << QStringList{QStringLiteral("Eins."), QStringLiteral("Zwei.")};
    QTest::newRow("duplicate within the paste")
        << list << QStringLiteral("Eins.\r\neins.\r\nZwei.\r\n")
        << QStringList{QStringLiteral("Eins."), QStringLiteral("Zwei.")};
    QTest::newRow("umlauts compared without case")
        << list << QStringLiteral("die katze SCHLÄFT.\r\n") << QStringList();
    QTest::newRow("empty lines skipped")
        << list << QStringLiteral("\r\n\r\nEins.\r\n\r\n") << QStringList{QStringLiteral("Eins.")};
    QTest::newRow("blanks kept") << list << QStringLiteral("  Eins.  \r\n")
                                 << QStringList{QStringLiteral("  Eins.  ")};
    QTest::newRow("no line break at all") << list << QStringLiteral("Eins.") << QStringList();
    QTest::newRow("empty clipboard") << list << QString() << QStringList();
    QTest::newRow("line feed alone ends a line")
        << list << QStringLiteral("Eins.\nZwei.\n")
        << QStringList{QStringLiteral("Eins."), QStringLiteral("Zwei.")};
    QTest::newRow("carriage return alone ends a line")
        << list << QStringLiteral("Eins.\rZwei.") << QStringList{QStringLiteral("Eins.")};
    QTest::newRow("into an empty list")
        << QStringList() << QStringLiteral("Eins.\r\n") << QStringList{QStringLiteral("Eins.")};
}

void ListRulesTest::pasteTakesNewCompleteLines() {
    QFETCH(QStringList, entries);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, added);
    QCOMPARE(listrules::linesToPaste(entries, clipboard), added);
}

void ListRulesTest::copiedListPastesBackAsNothing() {
    const QStringList list{QStringLiteral("Eins."), QStringLiteral("Zwei."),
                           QStringLiteral("Drei.")};
    QVERIFY(listrules::linesToPaste(list, listrules::clipboardText(list)).isEmpty());
}

QTEST_GUILESS_MAIN(ListRulesTest)
#include "test_listrules.moc"
