#include "platform/qtspeechengine.h"

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

} // namespace

std::unique_ptr<SpeechEngine> makeQtSpeechEngine() {
    return std::make_unique<QtSpeechEngine>();
}

} // namespace tivoral
