#include "platform/speech.h"

namespace tivoral {

namespace {

bool hasLetters(const QString& text) {
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            return true;
    }
    return false;
}

} // namespace

Voice::Voice(QObject* parent) : QObject(parent) {}

Voice::~Voice() = default;

void Voice::setEngine(std::unique_ptr<SpeechEngine> engine) {
    engine_ = std::move(engine);
    tried_ = false;
    if (available_) {
        available_ = false;
        Q_EMIT availabilityChanged(false);
    }
}

bool Voice::start() {
    if (tried_ || !engine_)
        return available_;
    tried_ = true;
    available_ = engine_->start();
    if (available_)
        Q_EMIT availabilityChanged(true);
    return available_;
}

void Voice::say(const QString& text) {
    if (start() && hasLetters(text))
        engine_->say(text);
}

} // namespace tivoral
