#include "platform/speech.h"

#include <QLocale>
#include <QTextToSpeech>
#include <QVoice>

namespace tivoral {

namespace {

class QtSpeechEngine final : public SpeechEngine {
public:
    bool start() override {
        speech_ = std::make_unique<QTextToSpeech>();
        if (speech_->state() == QTextToSpeech::Error)
            return false;
        const QLocale german(QLocale::German, QLocale::Germany);
        bool hasGerman = false;
        for (const QLocale& locale : speech_->availableLocales()) {
            if (locale.language() == QLocale::German) {
                speech_->setLocale(locale.territory() == QLocale::Germany ? german : locale);
                hasGerman = true;
                if (locale.territory() == QLocale::Germany)
                    break;
            }
        }
        return hasGerman && !speech_->availableVoices().isEmpty();
    }

    void say(const QString& text) override {
        // A new text replaces the one still being read, as a child expects of a button.
        speech_->stop();
        speech_->say(text);
    }

private:
    std::unique_ptr<QTextToSpeech> speech_;
};

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

std::unique_ptr<SpeechEngine> makeQtSpeechEngine() {
    return std::make_unique<QtSpeechEngine>();
}

} // namespace tivoral
