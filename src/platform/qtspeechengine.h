#pragma once

#include "platform/speech.h"

#include <memory>

namespace tivoral {

// Qt's text-to-speech with a German voice; nullptr-free even when no engine is installed.
std::unique_ptr<SpeechEngine> makeQtSpeechEngine();

} // namespace tivoral
