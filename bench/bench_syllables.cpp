// Syllables: reading the German patterns once, then splitting every word of a 40-sentence list
// (under 5 ms) and of a full list of 32 767 sentences (under 1 s), and the coloured text of one
// sentence, which must come within one frame when the option is switched on.
#include "platform/syllablecolours.h"
#include "platform/syllables.h"
#include "platform/textfile.h"

#include <QDir>

#include <benchmark/benchmark.h>

using namespace tivoral;

namespace {

constexpr qsizetype SmallList = 40;
constexpr qsizetype FullList = 32767;

// The sentences of the shipped sample lists, repeated to the size asked for.
QStringList sentences(qsizetype count) {
    const QDir lists(QStringLiteral(TIVORAL_SOURCE_DIR "/data/beispiellisten"));
    QStringList shipped;
    for (const QString& name : lists.entryList({QStringLiteral("*.TXT")}))
        shipped += textfile::readLines(lists.filePath(name)).lines;
    QStringList result;
    while (result.size() < count)
        result += shipped.first(std::min(shipped.size(), count - result.size()));
    return result;
}

void splitEveryWord(benchmark::State& state, qsizetype count) {
    const QStringList list = sentences(count);
    syllables(QStringLiteral("Abend")); // the patterns are read before the clock runs
    for (auto _ : state) {
        qsizetype pieces = 0;
        for (const QString& sentence : list)
            for (const QString& word : sentence.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                pieces += syllables(word).size();
        benchmark::DoNotOptimize(pieces);
    }
}

void BM_ReadPatterns(benchmark::State& state) {
    for (auto _ : state) {
        setHyphenationFolder(QString::fromLatin1(SystemHyphenationFolder));
        benchmark::DoNotOptimize(syllables(QStringLiteral("Abend")));
    }
}
BENCHMARK(BM_ReadPatterns)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SplitFortySentences(benchmark::State& state) {
    splitEveryWord(state, SmallList);
}
BENCHMARK(BM_SplitFortySentences)->Unit(benchmark::kMillisecond);

void BM_SplitFullList(benchmark::State& state) {
    splitEveryWord(state, FullList);
}
BENCHMARK(BM_SplitFullList)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ColouredSentence(benchmark::State& state) {
    const QString sentence = QStringLiteral("Nach dem Essen mache ich meine Hausaufgaben.");
    syllables(QStringLiteral("Abend"));
    for (auto _ : state)
        benchmark::DoNotOptimize(syllableRichText(sentence, ReadingSyllableColours));
}
BENCHMARK(BM_ColouredSentence)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
