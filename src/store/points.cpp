#include "store/points.h"

namespace tivoral {

void Points::set(int value) {
    value_ = value;
    // Every points display is rewritten, also when the value stays the same.
    Q_EMIT changed(value_);
}

} // namespace tivoral
