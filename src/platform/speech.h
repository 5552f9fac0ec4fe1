#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace tivoral {

// What turns text into sound: Qt's speech engine in the program, a recording fake in tests.
class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;
    // Starts the engine; true when it has a German voice. May take a moment, so it runs once.
    virtual bool start() = 0;
    // Returns at once; the text is heard while the window goes on.
    virtual void say(const QString& text) = 0;
};

// The program's voice. The engine is started on first use (or once the main window shows, to
// know whether the speech buttons are shown at all), never at start-up.
class Voice final : public QObject {
    Q_OBJECT
public:
    explicit Voice(QObject* parent = nullptr);
    ~Voice() override;

    void setEngine(std::unique_ptr<SpeechEngine> engine);
    // Starts the engine if that has not been tried yet; true when there is a voice.
    bool start();
    // False until the engine has started with a voice.
    bool isAvailable() const { return available_; }
    // Nothing happens without a voice or for a text without letters to say.
    void say(const QString& text);

Q_SIGNALS:
    void availabilityChanged(bool available);

private:
    std::unique_ptr<SpeechEngine> engine_;
    bool tried_ = false;
    bool available_ = false;
};

} // namespace tivoral
