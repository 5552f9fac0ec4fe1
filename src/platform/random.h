#pragma once

#include <cstdint>
#include <random>

namespace tivoral {

// The one random source of the exercises and the game: uniform numbers in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
    virtual void seedFromTimeOfDay() = 0;

    // Int(x · n): a whole number from 0 to n − 1 (0 when n < 1).
    int draw(int n);
};

// Starts from a fixed seed, so a run that never seeds is repeatable; seeding takes the time of
// day with its fraction, so two seedings within one second still differ.
class DefaultRandom final : public RandomSource {
public:
    static constexpr std::uint64_t DefaultSeed = 5489u;

    double next() override;
    void seedFromTimeOfDay() override;
    void seed(std::uint64_t value) { engine_.seed(value); }

    // 64 random bits as a number in [0, 1); all bits set give the largest value below 1.
    static double toUnitInterval(std::uint64_t bits);

private:
    std::mt19937_64 engine_{DefaultSeed};
    std::uint64_t seedings_ = 0;
};

} // namespace tivoral
