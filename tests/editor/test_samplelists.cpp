#include "editor/listrules.h"
#include "editor/samplelists.h"
#include "game/gameengine.h"
#include "platform/textfile.h"
#include "store/sentencefiles.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>

using namespace tivoral;

namespace {

constexpr int MinSentences = 25;
constexpr int MaxSentences = 40;
constexpr int SpellCheckMilliseconds = 60000;

// Words the German dictionary lacks, each checked by reading.
const QSet<QString> AllowedUnknownWords{
    QStringLiteral("Lina"),   // a girl's name
    QStringLiteral("Roller"), // the child's scooter; the dictionary knows only compounds
};
// Proves that the spell checker really checks: it must reject this.
const QString Misspelt = QStringLiteral("Schuhle");

bool typedOnGermanKeyboard(QChar c) {
    static const QString umlauts = QStringLiteral("ÄÖÜäöüß");
    return (c.unicode() >= ' ' && c.unicode() <= '~') || umlauts.contains(c);
}

QStringList allWords() {
    static const QRegularExpression nonLetters(QStringLiteral("[^\\p{L}]+"));
    QSet<QString> words;
    for (const QString& name : SampleLists::names()) {
        for (const QString& sentence : SampleLists::sentences(name)) {
            for (const QString& word : sentence.split(nonLetters, Qt::SkipEmptyParts))
                words.insert(word);
        }
    }
    QStringList sorted(words.cbegin(), words.cend());
    sorted.sort();
    return sorted;
}

} // namespace

class SampleListsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void offeredListsAreTheShippedFiles();
    void everyListIsReadyToPractise_data();
    void everyListIsReadyToPractise();
    void everyWordIsKnownToTheSpellChecker();
};

void SampleListsTest::offeredListsAreTheShippedFiles() {
    QStringList shipped = QDir(QLatin1String(SampleLists::ResourceFolder)).entryList(QDir::Files);
    QStringList offered = SampleLists::names();
    shipped.sort();
    offered.sort();
    QCOMPARE(offered, shipped);
    QVERIFY(offered.size() >= 12);
}

void SampleListsTest::everyListIsReadyToPractise_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : SampleLists::names())
        QTest::newRow(qPrintable(name)) << name;
}

void SampleListsTest::everyListIsReadyToPractise() {
    QFETCH(QString, name);
    QVERIFY(!SampleLists::description(name).isEmpty());
    const QStringList sentences = SampleLists::sentences(name);
    QVERIFY2(sentences.size() >= MinSentences && sentences.size() <= MaxSentences,
             qPrintable(QString::number(sentences.size())));
    // Byte for byte what the editor's save writes: Windows-1252, every line ended by CR LF.
    QCOMPARE(SampleLists::bytes(name), textfile::encodeLines(sentences));
    QCOMPARE(QSet<QString>(sentences.cbegin(), sentences.cend()).size(), sentences.size());

    for (const QString& sentence : sentences) {
        const QByteArray shown = sentence.toUtf8();
        QVERIFY2(!sentence.isEmpty() && !sentence.startsWith(' ') &&
                     normaliseSentence(sentence) == sentence,
                 shown);
        QVERIFY2(listrules::countInputWords(sentence) <= listrules::MaxWordsPerSentence, shown);
        QVERIFY2(sentence.size() <= GameEngine::MaxSentenceLength, shown);
        QVERIFY2(QStringLiteral(".?!").contains(sentence.back()), shown);
        QVERIFY2(std::all_of(sentence.cbegin(), sentence.cend(), typedOnGermanKeyboard), shown);
    }
}

void SampleListsTest::everyWordIsKnownToTheSpellChecker() {
    QProcess hunspell;
    hunspell.start(QStringLiteral("hunspell"),
                   {QStringLiteral("-d"), QStringLiteral("de_DE"), QStringLiteral("-i"),
                    QStringLiteral("UTF-8"), QStringLiteral("-l")});
    QVERIFY2(hunspell.waitForStarted(), "hunspell is missing: run scripts/install-deps");
    hunspell.write((QStringList(allWords()) << Misspelt).join('\n').toUtf8() + '\n');
    hunspell.closeWriteChannel();
    QVERIFY(hunspell.waitForFinished(SpellCheckMilliseconds));
    QVERIFY2(hunspell.exitCode() == 0, hunspell.readAllStandardError().constData());

    const QStringList reported =
        QString::fromUtf8(hunspell.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QSet<QString> unknown(reported.cbegin(), reported.cend());
    QVERIFY(unknown.remove(Misspelt));
    QStringList unexpected = unknown.values();
    QStringList allowed = AllowedUnknownWords.values();
    unexpected.sort();
    allowed.sort();
    // A word missing here went stale in the allow-list.
    QCOMPARE(unexpected, allowed);
}

QTEST_GUILESS_MAIN(SampleListsTest)
#include "test_samplelists.moc"
