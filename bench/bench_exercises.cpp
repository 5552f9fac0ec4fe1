// How long the exercises' pure builders and checks take for one sentence.
#include "exercises/mosaic.h"
#include "exercises/puzzle.h"
#include "exercises/verrutscher.h"
#include "platform/random.h"
#include "store/textcaseoption.h"

#include <benchmark/benchmark.h>

#include <QStringList>

using namespace tivoral;

namespace {

const QString Vater = QStringLiteral("Vater bringt das Auto in die Werkstatt.");

// The longest sentence a puzzle takes: 18 words.
QString eighteenWords() {
    QStringList words;
    for (int k = 0; k < PuzzleLayout::TileCount; ++k)
        words.append(QStringLiteral("Straßenbahn%1").arg(k));
    return words.join(QLatin1Char(' ')) + QLatin1Char('.');
}

void BM_BuildMosaic_ShortSentence(benchmark::State& state) {
    // A short sentence leaves the most filler letters to place.
    DefaultRandom random;
    const QString sentence = QStringLiteral("Hallo");
    for (auto _ : state)
        benchmark::DoNotOptimize(buildMosaic(sentence, random));
}
BENCHMARK(BM_BuildMosaic_ShortSentence)->Unit(benchmark::kMicrosecond);

void BM_BuildMosaic_Example(benchmark::State& state) {
    DefaultRandom random;
    for (auto _ : state)
        benchmark::DoNotOptimize(buildMosaic(Vater, random));
}
BENCHMARK(BM_BuildMosaic_Example)->Unit(benchmark::kMicrosecond);

void BM_LayOutPuzzle_Example(benchmark::State& state) {
    TextCaseOption textCase;
    for (auto _ : state)
        benchmark::DoNotOptimize(layOutPuzzle(Vater, textCase));
}
BENCHMARK(BM_LayOutPuzzle_Example)->Unit(benchmark::kMicrosecond);

void BM_LayOutPuzzle_EighteenWords(benchmark::State& state) {
    TextCaseOption textCase;
    const QString sentence = eighteenWords();
    for (auto _ : state)
        benchmark::DoNotOptimize(layOutPuzzle(sentence, textCase));
}
BENCHMARK(BM_LayOutPuzzle_EighteenWords)->Unit(benchmark::kMicrosecond);

void BM_CheckDrop_LastWord(benchmark::State& state) {
    const QString sentence = eighteenWords();
    const QString solution = sentence + QLatin1Char(' ');
    const qsizetype lastBlank = sentence.lastIndexOf(QLatin1Char(' '));
    const QString targetText = solution.left(lastBlank + 1);
    const QString word = solution.mid(lastBlank + 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(checkDrop(targetText, word, solution));
}
BENCHMARK(BM_CheckDrop_LastWord)->Unit(benchmark::kMicrosecond);

void BM_BuildMisprint_EighteenWords(benchmark::State& state) {
    DefaultRandom random;
    const QString sentence = eighteenWords();
    for (auto _ : state)
        benchmark::DoNotOptimize(buildMisprint(sentence, random));
}
BENCHMARK(BM_BuildMisprint_EighteenWords)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
