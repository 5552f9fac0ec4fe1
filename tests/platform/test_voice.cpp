// The voice over an engine whose speech service keeps it waiting: the caller never waits, and
// the voice says when it is not answering.

#include "platform/speech.h"
#include "support/recordingspeech.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

// Hangs in the start or in the first text until the test opens the gate; records what it says.
class HangingSpeech final : public SpeechEngine {
public:
    HangingSpeech(std::shared_ptr<QSemaphore> gate, bool hangsOnStart)
        : gate_(std::move(gate)), hangsOnStart_(hangsOnStart) {}
    bool start() override {
        if (hangsOnStart_)
            gate_->acquire();
        return true;
    }
    void say(const QString& text) override {
        if (!hangsOnStart_)
            gate_->acquire();
        record.add(text);
    }
    void stop() override {}

    inline static SpeechRecord record;

private:
    std::shared_ptr<QSemaphore> gate_;
    bool hangsOnStart_;
};

constexpr int Open = 1000;

} // namespace

class VoiceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aHangingVoiceSaysSoUntilItAnswersAgain_data();
    void aHangingVoiceSaysSoUntilItAnswersAgain();
    void endingWaitsNoLongerThanItsLimit();
};

void VoiceTest::aHangingVoiceSaysSoUntilItAnswersAgain_data() {
    QTest::addColumn<bool>("hangsOnStart");
    QTest::addColumn<int>("limitMs");
    QTest::newRow("the start") << true << int(Voice::StartLimit.count());
    QTest::newRow("a text") << false << int(Voice::TextLimit.count());
}

void VoiceTest::aHangingVoiceSaysSoUntilItAnswersAgain() {
    QFETCH(bool, hangsOnStart);
    QFETCH(int, limitMs);
    const auto gate = std::make_shared<QSemaphore>();
    const QStringList saidBefore = HangingSpeech::record.said();
    Voice voice;
    voice.setEngine(std::make_unique<HangingSpeech>(gate, hangsOnStart));
    QSignalSpy answering(&voice, &Voice::answeringChanged);
    QElapsedTimer clock;
    clock.start();
    voice.say(u"Erster"_s);
    QVERIFY(clock.elapsed() < 100);
    QTest::qWait(limitMs / 2);
    QVERIFY(voice.isAnswering());
    QTRY_VERIFY_WITH_TIMEOUT(!voice.isAnswering(), limitMs);
    QVERIFY(clock.elapsed() >= limitMs);
    // The speech buttons show and say so; nothing piles up behind the hanging call.
    QVERIFY(voice.isAvailable());
    voice.say(u"Verloren"_s);

    gate->release(Open);
    QTRY_VERIFY(voice.isAnswering());
    QCOMPARE(answering.count(), 2);
    for (const QString& text : {u"Zweiter"_s, u" . . ."_s, u"3"_s})
        voice.say(text);
    QTRY_COMPARE(HangingSpeech::record.said(),
                 saidBefore + (QStringList{u"Erster"_s, u"Zweiter"_s, u"3"_s}));
}

void VoiceTest::endingWaitsNoLongerThanItsLimit() {
    const auto gate = std::make_shared<QSemaphore>();
    QElapsedTimer clock;
    {
        Voice voice;
        voice.setEngine(std::make_unique<HangingSpeech>(gate, true));
        voice.start();
        clock.start();
    }
    QVERIFY(clock.elapsed() < Voice::EndLimit.count() + 250);
    // The thread left behind ends by itself once its service answers.
    gate->release(Open);
}

QTEST_GUILESS_MAIN(VoiceTest)
#include "test_voice.moc"
