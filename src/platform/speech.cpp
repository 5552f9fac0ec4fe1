#include "platform/speech.h"

#include <QThread>

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

// The engine's side of the voice: lives on the voice's thread and answers each request when
// the engine returns from it.
class VoiceWorker final : public QObject {
    Q_OBJECT
public:
    explicit VoiceWorker(std::unique_ptr<SpeechEngine> engine) : engine_(std::move(engine)) {}

    void start(quint64 request) { Q_EMIT answered(request, engine_->start()); }
    void say(quint64 request, const QString& text) {
        engine_->say(text);
        Q_EMIT answered(request, true);
    }
    void stop(quint64 request) {
        engine_->stop();
        Q_EMIT answered(request, true);
    }

Q_SIGNALS:
    void answered(quint64 request, bool started);

private:
    std::unique_ptr<SpeechEngine> engine_;
};

QString Voice::notAnsweringMessage() {
    return QStringLiteral("Die Stimme antwortet gerade nicht.");
}

Voice::Voice(QObject* parent) : QObject(parent) {
    limit_.setSingleShot(true);
    connect(&limit_, &QTimer::timeout, this, &Voice::checkLimit);
}

Voice::~Voice() {
    endThread();
}

void Voice::setEngine(std::unique_ptr<SpeechEngine> engine) {
    endThread();
    engine_ = std::move(engine);
    changeState(Started::NotTried, true);
}

void Voice::start() {
    if (started_ != Started::NotTried || !engine_)
        return;
    // Not a child of the voice: a thread stuck in the speech service may have to outlive it.
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("voice"));
    worker_ = new VoiceWorker(std::move(engine_));
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &VoiceWorker::answered, this, &Voice::takeAnswer);
    thread_->start();
    changeState(Started::Trying, true);
    send(StartLimit, [](VoiceWorker& worker, quint64 number) { worker.start(number); });
    startRequest_ = sent_;
}

bool Voice::isAvailable() const {
    return started_ == Started::WithVoice || (!answering_ && started_ == Started::Trying);
}

void Voice::say(const QString& text) {
    if (!hasLetters(text))
        return;
    start();
    if (!worker_ || !answering_ || started_ == Started::WithoutVoice)
        return;
    send(TextLimit, [text](VoiceWorker& worker, quint64 number) { worker.say(number, text); });
}

void Voice::stop() {
    if (!worker_ || !answering_ || started_ == Started::WithoutVoice)
        return;
    send(TextLimit, [](VoiceWorker& worker, quint64 number) { worker.stop(number); });
}

void Voice::send(std::chrono::milliseconds limit, std::function<void(VoiceWorker&, quint64)> call) {
    const quint64 number = ++sent_;
    waiting_.push_back({number, QDeadlineTimer(limit)});
    QMetaObject::invokeMethod(
        worker_, [worker = worker_, number, call = std::move(call)] { call(*worker, number); },
        Qt::QueuedConnection);
    armLimit();
}

void Voice::takeAnswer(quint64 number, bool started) {
    while (!waiting_.empty() && waiting_.front().number <= number)
        waiting_.pop_front();
    Started now = started_;
    if (number == startRequest_)
        now = started ? Started::WithVoice : Started::WithoutVoice;
    // An answer, however late, shows the engine is back: the next request tries again.
    changeState(now, answering_ || waiting_.empty());
    if (answering_)
        armLimit();
}

void Voice::checkLimit() {
    if (!waiting_.empty() && waiting_.front().deadline.hasExpired())
        changeState(started_, false);
    else
        armLimit();
}

void Voice::armLimit() {
    if (waiting_.empty()) {
        limit_.stop();
        return;
    }
    limit_.start(std::max<qint64>(0, waiting_.front().deadline.remainingTime()));
}

void Voice::changeState(Started started, bool answering) {
    const bool wasAvailable = isAvailable();
    const bool wasAnswering = answering_;
    started_ = started;
    answering_ = answering;
    if (answering_ != wasAnswering)
        Q_EMIT answeringChanged(answering_);
    if (isAvailable() != wasAvailable)
        Q_EMIT availabilityChanged(isAvailable());
}

void Voice::endThread() {
    limit_.stop();
    waiting_.clear();
    if (!thread_)
        return;
    disconnect(worker_, nullptr, this, nullptr);
    thread_->quit();
    // A thread stuck in a speech service that never answers cannot be joined: it is left, with
    // its worker, to the end of the process. Every file the program writes is whole by then.
    if (thread_->wait(QDeadlineTimer(EndLimit)))
        delete thread_;
    thread_ = nullptr;
    worker_ = nullptr;
}

} // namespace tivoral

#include "speech.moc"
