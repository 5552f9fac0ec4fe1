#pragma once

#include "platform/random.h"

#include <QList>

namespace tivoral::testing {

// Returns the given values in turn, over and over; seeding restarts nothing.
class SequenceRandom final : public RandomSource {
public:
    explicit SequenceRandom(QList<double> values = {0.0}) : values_(std::move(values)) {}
    double next() override;
    void seedFromTimeOfDay() override { ++seedings; }

    int draws = 0;
    int seedings = 0;

private:
    QList<double> values_;
};

// Just below 1: the largest double less than 1.
inline constexpr double AlmostOne = 1.0 - 0x1.0p-53;

} // namespace tivoral::testing
