#include "editor/listrules.h"

#include <QTest>

using namespace tivoral;

class ListRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wordCountAndWarning_data();
    void wordCountAndWarning();
    void deleteQuestionCutsAfterFortyCharacters();
    void pasteTakesNewCompleteLines();
};

void ListRulesTest::wordCountAndWarning_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("warning");
    QTest::newRow("leading blank") << QString(" Der Hund") << " 3 Wörter" << false;
    QTest::newRow("run and trail of blanks") << QString("Der    Hund  ") << " 2 Wörter" << false;
    QTest::newRow("18 words") << QStringList(18, "Wort").join(' ') << " 18 Wörter" << false;
    QTest::newRow("19 words") << QStringList(19, "Wort").join(' ') << " 19 Wörter" << true;
}

void ListRulesTest::wordCountAndWarning() {
    QFETCH(QString, input);
    const int count = listrules::countInputWords(input);
    QTEST(listrules::wordCountText(count), "display");
    QTEST(listrules::exceedsWordLimit(count), "warning");
}

void ListRulesTest::deleteQuestionCutsAfterFortyCharacters() {
    const QString forty = QStringLiteral("Die Schule macht mir heute keinen Spaß!!");
    QCOMPARE(listrules::deleteQuestionText(forty + 'x'), forty + " ...");
    // A character of two UTF-16 units at the cut is not split in half.
    const QString a39(39, 'a');
    QCOMPARE(listrules::deleteQuestionText(a39 + QStringLiteral("😀b")), a39 + " ...");
}

void ListRulesTest::pasteTakesNewCompleteLines() {
    const QStringList entries{"Der Hund bellt.", "Die Katze schläft."};
    const QString clipboard =
        "Ein Vogel.\r\nDER HUND BELLT.\r\ndie katze SCHLÄFT.\r\nein vogel.\r\n"
        "\r\n  z.\u00A0B.  \nLetzte ohne Zeilenende.";
    QCOMPARE(listrules::linesToPaste(entries, clipboard), (QStringList{"Ein Vogel.", "  z. B.  "}));
}

QTEST_GUILESS_MAIN(ListRulesTest)
#include "test_listrules.moc"
