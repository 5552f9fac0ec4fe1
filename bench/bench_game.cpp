// The game must keep up with key repeat and never stall on a scattering: a tick that scatters
// 100 characters and a catcher move with its catch check should each take well under 100 µs.
#include "game/gameengine.h"
#include "platform/random.h"
#include "silentdialogs.h"
#include "store/appstate.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace tivoral;

// A running game on a sentence of the longest length played.
struct LongestGame {
    LongestGame() {
        app.store.setEntries({QString(GameEngine::MaxSentenceLength, QLatin1Char('w'))});
        engine.setSpeed(GameEngine::MinSpeed);
        engine.newSentence();
        engine.startGame();
    }

    QTemporaryDir folder;
    benchdialogs::Defaults dialogs;
    DefaultRandom random;
    AppState app{QDir(folder.path()), dialogs, random};
    GameEngine engine{app};
};

void tickWithScattering(benchmark::State& state) {
    LongestGame game;
    // Each iteration: quiet ticks, then the one that scatters all 100 characters anew.
    for (auto _ : state) {
        for (int k = 0; k < GameEngine::MinSpeed; ++k)
            game.engine.tick();
    }
}
BENCHMARK(tickWithScattering)->Unit(benchmark::kMicrosecond);

void moveWithCatchCheck(benchmark::State& state) {
    LongestGame game;
    const GameEngine::Move there = GameEngine::Move::Left;
    const GameEngine::Move back = GameEngine::Move::Right;
    bool out = true;
    for (auto _ : state) {
        game.engine.move(out ? there : back);
        out = !out;
        benchmark::DoNotOptimize(game.engine.caughtText().size());
    }
}
BENCHMARK(moveWithCatchCheck)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
