#pragma once

#include "platform/speech.h"

#include <QStringList>

namespace tivoral::testing {

// A speech engine that only writes down what it was asked to say.
class RecordingSpeech final : public SpeechEngine {
public:
    RecordingSpeech(QStringList& said, bool hasVoice) : said_(said), hasVoice_(hasVoice) {}
    bool start() override { return hasVoice_; }
    void say(const QString& text) override { said_.append(text); }

private:
    QStringList& said_;
    bool hasVoice_;
};

} // namespace tivoral::testing
