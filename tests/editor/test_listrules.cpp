#include "editor/listrules.h"

#include <QTest>

using namespace tivoral;

class ListRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wordCountAndWarning_data();
    void wordCountAndWarning();
    void deleteQuestionCutsAfterFortyCharacters_data();
    void deleteQuestionCutsAfterFortyCharacters();
    void pasteTakesNewCompleteLines_data();
    void pasteTakesNewCompleteLines();
};

void ListRulesTest::wordCountAndWarning_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("warning");
    const auto words = [](int count) {
        return QStringList(count, QStringLiteral("Wort")).join(' ');
    };
    QTest::newRow("empty") << QString() << " 1 Wort" << false;
    QTest::newRow("two words") << "Der Hund"
                               << " 2 Wörter" << false;
    QTest::newRow("leading blank") << " Der Hund"
                                   << " 3 Wörter" << false;
    QTest::newRow("run of blanks") << "Der    Hund"
                                   << " 2 Wörter" << false;
    QTest::newRow("trailing blanks") << "Hund   "
                                     << " 1 Wort" << false;
    QTest::newRow("18 words") << words(18) << " 18 Wörter" << false;
    QTest::newRow("19 words") << words(19) << " 19 Wörter" << true;
}

void ListRulesTest::wordCountAndWarning() {
    QFETCH(QString, input);
    const int count = listrules::countInputWords(input);
    QTEST(listrules::wordCountText(count), "display");
    QTEST(listrules::exceedsWordLimit(count), "warning");
}

void ListRulesTest::deleteQuestionCutsAfterFortyCharacters_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("shown");
    const QString forty = QStringLiteral("Die Schule macht mir heute keinen Spaß!!");
    QTest::newRow("40 shown whole") << forty << forty;
    QTest::newRow("41 cut") << QString(forty + 'x') << QString(forty + " ...");
    // A character of two UTF-16 units at the cut is not split in half.
    const QString a39(39, 'a');
    QTest::newRow("no half character")
        << QString(a39 + QString::fromUtf8("\xF0\x9F\x98\x80") + 'b') << QString(a39 + " ...");
}

void ListRulesTest::deleteQuestionCutsAfterFortyCharacters() {
    QFETCH(QString, entry);
    QTEST(listrules::deleteQuestionText(entry), "shown");
}

void ListRulesTest::pasteTakesNewCompleteLines_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("added");
    QTest::newRow("second line in other case")
        << "Ein Vogel singt.\r\nDER HUND BELLT.\r\nDie Kuh muht.\r\n"
        << QStringList{"Ein Vogel singt.", "Die Kuh muht."};
    QTest::newRow("last line without line break") << "Eins.\r\nZwei." << QStringList{"Eins."};
    QTest::newRow("duplicate within the paste") << "Eins.\r\neins.\r\n" << QStringList{"Eins."};
    QTest::newRow("umlaut in other case") << "die katze SCHLÄFT.\r\n" << QStringList();
    QTest::newRow("empty lines skipped, blanks kept") << "\r\n  Eins.  \r\n"
                                                      << QStringList{"  Eins.  "};
    QTest::newRow("non-breaking space made plain") << "z.\u00A0B. Eins.\r\n"
                                                   << QStringList{"z. B. Eins."};
    QTest::newRow("line feed alone ends a line") << "Eins.\nZwei.\n"
                                                 << QStringList{"Eins.", "Zwei."};
}

void ListRulesTest::pasteTakesNewCompleteLines() {
    QFETCH(QString, clipboard);
    const QStringList entries{"Der Hund bellt.", "Die Katze schläft."};
    QTEST(listrules::linesToPaste(entries, clipboard), "added");
}

QTEST_GUILESS_MAIN(ListRulesTest)
#include "test_listrules.moc"
