#pragma once

#include "platform/speech.h"

#include <QMutex>
#include <QStringList>

namespace tivoral::testing {

// What a recording voice was asked to say, written on the voice's thread and read in the test.
class SpeechRecord {
public:
    QStringList said() const {
        const QMutexLocker lock(&mutex_);
        return said_;
    }
    void add(const QString& text) {
        const QMutexLocker lock(&mutex_);
        said_.append(text);
    }

private:
    mutable QMutex mutex_;
    QStringList said_;
};

// A speech engine that only writes down what it was asked to say.
class RecordingSpeech final : public SpeechEngine {
public:
    RecordingSpeech(SpeechRecord& record, bool hasVoice) : record_(record), hasVoice_(hasVoice) {}
    bool start() override { return hasVoice_; }
    void say(const QString& text) override { record_.add(text); }
    void stop() override {}

private:
    SpeechRecord& record_;
    bool hasVoice_;
};

} // namespace tivoral::testing
