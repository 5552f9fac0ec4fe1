#include "sequencerandom.h"

namespace tivoral::testing {

double SequenceRandom::next() {
    const double value = values_.at(draws % values_.size());
    ++draws;
    return value;
}

} // namespace tivoral::testing
