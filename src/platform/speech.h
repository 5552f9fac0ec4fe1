#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>

class QThread;

namespace tivoral {

class VoiceWorker;

// What turns text into sound: Qt's speech engine in the program, a recording fake in tests.
// The voice calls it on a thread of its own, one call after the other: any call may hang as long
// as the speech service keeps it waiting, and the window goes on all the same.
class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;
    // Starts the engine; true when it has a German voice.
    virtual bool start() = 0;
    // The text is heard after the texts said before it.
    virtual void say(const QString& text) = 0;
    // Cancels what is being heard and what waits.
    virtual void stop() = 0;
};

// The program's voice. Its engine runs on a thread of its own, started once the main window
// shows; a request the engine does not answer in time leaves the voice "not answering" until
// the engine answers again, and the program goes on without sound meanwhile.
class Voice final : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds StartLimit{1000};
    static constexpr std::chrono::milliseconds TextLimit{2000};
    // Ending the program waits no longer for a voice that hangs.
    static constexpr std::chrono::milliseconds EndLimit{1000};

    // What a speech button says while the voice is not answering.
    static QString notAnsweringMessage();

    explicit Voice(QObject* parent = nullptr);
    ~Voice() override;

    void setEngine(std::unique_ptr<SpeechEngine> engine);
    // Starts the engine on the voice's thread if that has not been tried yet; returns at once.
    void start();
    // True when speech buttons belong on the screen: the engine started with a German voice, or
    // it has not answered in time (the buttons then say so).
    bool isAvailable() const;
    // False from a request's time limit on until the engine answers again.
    bool isAnswering() const { return answering_; }
    // Queued after what is said already; nothing happens for a text without letters to say,
    // without a voice, or while it is not answering.
    void say(const QString& text);
    // Cancels what is being said and what waits.
    void stop();

Q_SIGNALS:
    void availabilityChanged(bool available);
    void answeringChanged(bool answering);

private:
    enum class Started { NotTried, Trying, WithVoice, WithoutVoice };
    struct Request {
        quint64 number;
        QDeadlineTimer deadline;
    };

    void send(std::chrono::milliseconds limit, std::function<void(VoiceWorker&, quint64)> call);
    void takeAnswer(quint64 number, bool started);
    void checkLimit();
    void armLimit();
    // Emits what changed of availability and answering when the state changes.
    void changeState(Started started, bool answering);
    void endThread();

    std::unique_ptr<SpeechEngine> engine_;
    QThread* thread_ = nullptr;
    VoiceWorker* worker_ = nullptr;
    std::deque<Request> waiting_;
    quint64 sent_ = 0;
    quint64 startRequest_ = 0;
    QTimer limit_;
    Started started_ = Started::NotTried;
    bool answering_ = true;
};

} // namespace tivoral
