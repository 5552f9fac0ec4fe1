// The per-keystroke typing check and a whole Dosensatz set-up for a long sentence.
#include "exercises/dosensatz.h"
#include "exercises/exerciseframe.h"
#include "exercises/sentencerules.h"
#include "platform/random.h"
#include "silentdialogs.h"
#include "store/appstate.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>

using namespace tivoral;

namespace {

constexpr int LongSentenceLength = 300;
constexpr int SetUpWords = 18;

QString longSentence() {
    QString sentence;
    while (sentence.size() < LongSentenceLength)
        sentence += QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld. ");
    sentence.truncate(LongSentenceLength - 1);
    return sentence + QLatin1Char('.');
}

QString eighteenWords() {
    QStringList words;
    for (int k = 0; k < SetUpWords; ++k)
        words.append(QStringLiteral("Wörterdose%1").arg(SetUpWords - k));
    return words.join(QLatin1Char(' ')) + QLatin1Char('.');
}

// The worst keystroke: the whole sentence but its last character, still a correct beginning.
void BM_CheckTyping_300Characters(benchmark::State& state) {
    const QString target = longSentence();
    const QString typed = target.left(target.size() - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(checkTyping(typed, target));
}
BENCHMARK(BM_CheckTyping_300Characters)->Unit(benchmark::kNanosecond);

void BM_DosensatzSetUp_18Words(benchmark::State& state) {
    QTemporaryDir folder;
    benchdialogs::AlwaysOk dialogs;
    DefaultRandom random;
    AppState app(QDir(folder.path()), dialogs, random);
    app.store.setEntries({eighteenWords()});
    ExerciseFrame frame(app);
    DosensatzExercise dosensatz(frame);
    frame.startExercise(dosensatz);
    for (auto _ : state) {
        frame.setUpAgain(dosensatz);
        benchmark::DoNotOptimize(dosensatz.wordDisplay());
    }
}
BENCHMARK(BM_DosensatzSetUp_18Words)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
