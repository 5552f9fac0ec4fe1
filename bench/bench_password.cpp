// The teacher password's Argon2id hash: making it (setting a password) and checking an answer
// against it (every opening of the lock). Checking must stay well under half a second; anything
// over a frame runs beside the window's thread.
#include "store/teacherpassword.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

using namespace tivoral;

namespace {

const QString Password = QStringLiteral("Klassenzimmer 4b");

void hashPassword(benchmark::State& state) {
    for (auto _ : state) {
        const QByteArray encoded = passwordhash::hash(Password);
        if (encoded.isEmpty())
            throw std::runtime_error("hashing failed");
        benchmark::DoNotOptimize(encoded);
    }
}
BENCHMARK(hashPassword)->Unit(benchmark::kMillisecond)->UseRealTime();

void verifyPassword(benchmark::State& state) {
    const QByteArray encoded = passwordhash::hash(Password);
    const bool right = state.range(0) != 0;
    const QString answer = right ? Password : QStringLiteral("Klassenzimmer 4c");
    for (auto _ : state) {
        if (passwordhash::verify(encoded, answer) != right)
            throw std::runtime_error("wrong verdict");
    }
    state.SetLabel(right ? "right answer" : "wrong answer");
}
BENCHMARK(verifyPassword)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
