#include "platform/random.h"

#include <QTime>

#include <cmath>

namespace tivoral {

int RandomSource::draw(int n) {
    if (n < 1)
        return 0;
    const int r = static_cast<int>(std::floor(next() * n));
    return r < 0 ? 0 : (r >= n ? n - 1 : r);
}

double DefaultRandom::next() {
    return toUnitInterval(engine_());
}

double DefaultRandom::toUnitInterval(std::uint64_t bits) {
    // 53 random bits give every double of [0, 1) on the 2^-53 grid; 1.0 cannot come out.
    return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

void DefaultRandom::seedFromTimeOfDay() {
    const int msecs = QTime::currentTime().msecsSinceStartOfDay();
    // Mix the milliseconds with a monotonic counter so that reseeding in the same
    // millisecond still gives a new sequence.
    ++seedings_;
    engine_.seed(static_cast<std::uint64_t>(msecs) * 0x9E3779B97F4A7C15ull + seedings_);
}

} // namespace tivoral
