// Picking a child's hard sentences: the history of one child and file out of a class's year of
// practice (a million record entries), and the hardest of a full sentence list.
#include "exercises/sentenceorder.h"
#include "store/sentencestore.h"
#include "store/troublesentences.h"

#include <benchmark/benchmark.h>

using namespace tivoral;

namespace {

constexpr int YearOfEntries = 1'000'000;
constexpr int Children = 25;
constexpr int Files = 8;
constexpr int SentencesPerFile = 200;
constexpr int MostRedAnswers = 5;

QString sentence(int number) {
    return QStringLiteral("Satz %1: Der Bauer fährt mit dem Traktor aufs Feld.").arg(number);
}

PracticeRecordContents yearOfPractice() {
    std::vector<PracticeEntry> entries(YearOfEntries);
    for (int i = 0; i < YearOfEntries; ++i) {
        PracticeEntry& entry = entries[std::size_t(i)];
        entry.user = QStringLiteral("Kind %1").arg(i % Children);
        entry.file = QStringLiteral("LISTE%1.TXT").arg(i % Files);
        entry.sentence = sentence(i / (Children * Files) % SentencesPerFile);
        entry.redAnswers = i % (MostRedAnswers + 1);
    }
    return PracticeRecordContents::of(entries);
}

void BM_HistoryOfOneChildAndFile(benchmark::State& state) {
    const PracticeRecordContents record = yearOfPractice();
    for (auto _ : state) {
        const TroubleHistory history =
            TroubleHistory::of(record, QStringLiteral("Kind 3"), QStringLiteral("LISTE3.TXT"));
        benchmark::DoNotOptimize(history.troubleOf(sentence(3)));
    }
}

void BM_HardestOfAFullList(benchmark::State& state) {
    const TroubleHistory history = TroubleHistory::of(yearOfPractice(), QStringLiteral("Kind 3"),
                                                      QStringLiteral("LISTE3.TXT"));
    QStringList list;
    for (int i = 0; i < SentenceStore::MaxEntries; ++i)
        list.append(sentence(i));
    const QStringList shownLately(list.mid(0, SentenceOrder::RecentlyShownKept));
    for (auto _ : state)
        benchmark::DoNotOptimize(history.worst(list, shownLately));
}

} // namespace

BENCHMARK(BM_HistoryOfOneChildAndFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HardestOfAFullList)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
