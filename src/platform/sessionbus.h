#pragma once

#include <chrono>

namespace tivoral::sessionbus {

// How long a session bus may take to answer before it counts as silent; a working one answers
// within milliseconds.
inline constexpr std::chrono::milliseconds AnswerTimeout{1500};

// Qt asks the session bus whether a screen reader runs as soon as the first control gets its
// accessible name, and waits for the answer without end: a bus that takes connections but
// never answers would keep the first window from ever showing. Asks the bus first, briefly, and
// leaves a silent one out of this run. Call before any other thread is started.
void leaveOutIfSilent(std::chrono::milliseconds timeout = AnswerTimeout);

} // namespace tivoral::sessionbus
