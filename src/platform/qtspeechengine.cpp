#include "platform/qtspeechengine.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QStringList>
#include <QTextToSpeech>
#include <QVoice>

namespace tivoral {

namespace {

// A text whose start the service never reports holds up no other for longer than this.
constexpr qint64 BeginLimitMs = 3000;

// Qt's text-to-speech with a German voice. Qt stops what is being read when it is given a new
// text, so the texts wait here for the one before to end.
class QtSpeechEngine final : public SpeechEngine {
public:
    bool start() override {
        auto speech = std::make_unique<QTextToSpeech>();
        // Without a German voice nothing is said at all, not even what was asked meanwhile.
        if (speech->state() == QTextToSpeech::Error || !chooseGerman(*speech))
            return false;
        speech_ = std::move(speech);
        QObject::connect(speech_.get(), &QTextToSpeech::stateChanged, speech_.get(),
                         [this](QTextToSpeech::State state) { follow(state); });
        return true;
    }

    void say(const QString& text) override {
        if (!speech_)
            return;
        waiting_.append(text);
        if (!reading_ || (!begun_ && sinceSaid_.hasExpired(BeginLimitMs)))
            sayNext();
    }

    void stop() override {
        if (!speech_)
            return;
        waiting_.clear();
        reading_ = false;
        speech_->stop();
    }

private:
    static bool chooseGerman(QTextToSpeech& speech) {
        const QLocale german(QLocale::German, QLocale::Germany);
        bool hasGerman = false;
        for (const QLocale& locale : speech.availableLocales()) {
            if (locale.language() == QLocale::German) {
                speech.setLocale(locale.territory() == QLocale::Germany ? german : locale);
                hasGerman = true;
                if (locale.territory() == QLocale::Germany)
                    break;
            }
        }
        return hasGerman && !speech.availableVoices().isEmpty();
    }

    // The service reports the start and the end of each text; an end reported before the start
    // belongs to a text that was cancelled.
    void follow(QTextToSpeech::State state) {
        if (state == QTextToSpeech::Speaking) {
            begun_ = true;
        } else if (reading_ && (begun_ || state == QTextToSpeech::Error)) {
            reading_ = false;
            sayNext();
        }
    }

    void sayNext() {
        reading_ = !waiting_.isEmpty();
        if (!reading_)
            return;
        begun_ = false;
        sinceSaid_.start();
        speech_->say(waiting_.takeFirst());
    }

    std::unique_ptr<QTextToSpeech> speech_;
    QStringList waiting_;
    bool reading_ = false;
    bool begun_ = false;
    QElapsedTimer sinceSaid_;
};

} // namespace

std::unique_ptr<SpeechEngine> makeQtSpeechEngine() {
    return std::make_unique<QtSpeechEngine>();
}

} // namespace tivoral
