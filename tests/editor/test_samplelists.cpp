#include "editor/listrules.h"
#include "editor/samplelists.h"
#include "game/gameengine.h"
#include "platform/textfile.h"
#include "store/sentencefiles.h"

#include <QSet>
#include <QTest>

#include <algorithm>

using namespace tivoral;

class SampleListsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyListIsReadyToPractise_data();
    void everyListIsReadyToPractise();
};

void SampleListsTest::everyListIsReadyToPractise_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : SampleLists::names())
        QTest::newRow(qPrintable(name)) << name;
}

void SampleListsTest::everyListIsReadyToPractise() {
    QFETCH(QString, name);
    const QStringList sentences = SampleLists::sentences(name);
    QVERIFY(!SampleLists::description(name).isEmpty() && sentences.size() >= 25);
    // Byte for byte what the editor's save writes: Windows-1252, every line ended by CR LF.
    QCOMPARE(SampleLists::bytes(name), textfile::encodeLines(sentences));
    QCOMPARE(QSet<QString>(sentences.cbegin(), sentences.cend()).size(), sentences.size());
    const auto typedOnGermanKeyboard = [](QChar c) {
        return (c >= ' ' && c <= '~') || QStringLiteral("ÄÖÜäöüß").contains(c);
    };
    for (const QString& sentence : sentences) {
        QVERIFY2(!sentence.startsWith(' ') && normaliseSentence(sentence) == sentence &&
                     listrules::countInputWords(sentence) <= listrules::MaxWordsPerSentence &&
                     sentence.size() <= GameEngine::MaxSentenceLength &&
                     QStringLiteral(".?!").contains(sentence.back()) &&
                     std::all_of(sentence.cbegin(), sentence.cend(), typedOnGermanKeyboard),
                 sentence.toUtf8());
    }
}

QTEST_GUILESS_MAIN(SampleListsTest)
#include "test_samplelists.moc"
