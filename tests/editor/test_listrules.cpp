#include "editor/listrules.h"
#include "editor/samplelists.h"
#include "game/gameengine.h"
#include "platform/textfile.h"
#include "store/sentencefiles.h"
#include "support/fixture.h"

#include <QHash>
#include <QRegularExpression>
#include <QTest>

using namespace tivoral;

class ListRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wordCountAndWarning_data();
    void wordCountAndWarning();
    void deleteQuestionCutsAfterFortyCharacters();
    void pasteTakesNewCompleteLines();
    void sampleListIsReadyToPractise_data();
    void sampleListIsReadyToPractise();
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

void ListRulesTest::sampleListIsReadyToPractise_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("topic"); // what every sentence of the list holds, any letter case
    // The v list: a v in every sentence, and no word whose v sounds as in "Vase".
    const QString vSpokenF = "^(?!.*(vase|vulkan|pullover|violett|klavier|vanille|video|villa|"
                             "vitamin|november|olive|lokomotive|lava|vampir)).*v";
    const QHash<QString, QString> topics{{"DOPPELT.TXT", "(bb|dd|ff|gg|kk|ll|mm|nn|pp|rr|ss|tt)"},
                                         {"IE.TXT", "ie"},
                                         {"DEHNUNG.TXT", "[aeiouäöü]h"},
                                         {"SZ.TXT", "ß|ss"},
                                         {"UMLAUT.TXT", "ä|eu"},
                                         {"SPST.TXT", "\\b(sp|st)"},
                                         {"VF.TXT", vSpokenF},
                                         {"CKTZ.TXT", "ck|tz"}};
    for (const QString& name : SampleLists::names())
        QTest::newRow(qPrintable(name)) << name << topics.value(name);
}

void ListRulesTest::sampleListIsReadyToPractise() {
    QFETCH(QString, name);
    QFETCH(QString, topic);
    const QStringList sentences = SampleLists::sentences(name);
    QVERIFY(!SampleLists::description(name).isEmpty() && sentences.size() >= 25 &&
            sentences.size() <= 40);
    // Byte for byte what the editor's save writes; no empty line, no line twice in any case.
    QCOMPARE(SampleLists::bytes(name), textfile::encodeLines(sentences));
    QCOMPARE(listrules::linesToPaste({}, sentences.join('\n') + '\n'), sentences);
    // Typed on a German keyboard, from a capital letter to the closing mark.
    const QRegularExpression typed("^[A-ZÄÖÜ][ -~ÄÖÜäöüß]*[.?!]$");
    const QRegularExpression practised(topic, QRegularExpression::CaseInsensitiveOption);
    for (const QString& sentence : sentences) {
        QVERIFY2(typed.match(sentence).hasMatch() && practised.match(sentence).hasMatch() &&
                     normaliseSentence(sentence) == sentence &&
                     !listrules::exceedsWordLimit(listrules::countInputWords(sentence)) &&
                     sentence.size() <= GameEngine::MaxSentenceLength,
                 sentence.toUtf8());
    }
    // A list is worked through in order, so it opens with its easiest sentences.
    const auto characters = [](const QStringList& some) { return some.join(QString()).size(); };
    QVERIFY(characters(sentences.first(5)) < characters(sentences.last(5)));
    testing::Fixture f;
    QVERIFY(!SampleLists::load(f.app, name.toLower()) && SampleLists::load(f.app, name));
    QCOMPARE(f.app.store.entries(), sentences);
    QVERIFY(f.dialogs.boxes.isEmpty() && f.app.store.hasUnsavedEdits());
}

QTEST_GUILESS_MAIN(ListRulesTest)
#include "test_listrules.moc"
