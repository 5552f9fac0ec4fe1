// The voice through Qt's own speech engine and a real speech service: a speech-dispatcher of the
// test's own (espeak-ng, no sound device), and a socket that takes connections and never
// answers, as a hung service does. Neither may keep the window from answering the child.

#include "exercises/puzzlepanel.h"
#include "platform/qtspeechengine.h"
#include "support/programdriver.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/socket.h>
#include <sys/un.h>

#include <cstring>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr qint64 AnswerLimitMs = 100;
// A hung service leaves the voice not answering for good; the window must not care, however long.
constexpr qint64 HungServiceMs = 10000;
constexpr int ServiceStartMs = 10000;
constexpr int RoundGapMs = 500;
// The voice lists every voice of the service on its start: seconds on a busy machine, more under
// AddressSanitizer.
constexpr int VoiceStartMs = 60000;

// A folder for the service's socket, configuration and log, named to the speech library (which
// reads XDG_RUNTIME_DIR only once a process).
class RuntimeFolder {
public:
    RuntimeFolder() {
        QDir(dir_.path()).mkpath(u"speech-dispatcher"_s);
        qputenv("SPEECHD_ADDRESS", "unix_socket:" + QFile::encodeName(socketPath()));
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString socketPath() const { return path(u"speech-dispatcher/speechd.sock"_s); }

private:
    QTemporaryDir dir_;
};

// A speech-dispatcher with espeak-ng that plays to ALSA's null device, so it needs no sound card.
class SpeechService {
public:
    explicit SpeechService(const RuntimeFolder& runtime) {
        QDir(runtime.path({})).mkpath(u"conf"_s);
        QFile config(runtime.path(u"conf/speechd.conf"_s));
        if (!config.open(QIODevice::WriteOnly) ||
            config.write("AudioOutputMethod \"alsa\"\nAudioALSADevice \"null\"\n"
                         "AddModule \"espeak-ng\" \"sd_espeak-ng\" "
                         "\"/etc/speech-dispatcher/modules/espeak-ng.conf\"\n"
                         "DefaultModule \"espeak-ng\"\nDefaultLanguage \"de\"\n") < 0)
            return;
        config.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"SPEECHD_ADDRESS"_s);
        environment.insert(u"XDG_RUNTIME_DIR"_s, runtime.path({}));
        process_.setProcessEnvironment(environment);
        process_.start(u"speech-dispatcher"_s,
                       {u"--run-single"_s, u"--timeout"_s, u"0"_s, u"--config-dir"_s,
                        runtime.path(u"conf"_s), u"--log-dir"_s, runtime.path({}),
                        u"--socket-path"_s, runtime.socketPath()});
        QElapsedTimer clock;
        clock.start();
        while (process_.state() != QProcess::NotRunning && !QFile::exists(runtime.socketPath()) &&
               clock.elapsed() < ServiceStartMs)
            process_.waitForFinished(50);
    }
    ~SpeechService() {
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished();
    }
    bool isRunning() const { return process_.state() == QProcess::Running; }

private:
    QProcess process_;
};

// Takes connections and never answers. Never closed: the voice's thread left waiting on it must
// not wake up while the test program ends.
bool listenSilently(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (name.size() >= qsizetype(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    return socket >= 0 &&
           ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
           ::listen(socket, SOMAXCONN) == 0;
}

// Milliseconds from the child's action until the window has handled its next event.
qint64 answerTimeMs(const std::function<void()>& action) {
    QElapsedTimer clock;
    clock.start();
    action();
    bool handled = false;
    QMetaObject::invokeMethod(
        qApp, [&handled] { handled = true; }, Qt::QueuedConnection);
    while (!handled)
        QCoreApplication::processEvents();
    return clock.elapsed();
}

} // namespace

class RealVoiceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theWindowAlwaysAnswers_data();
    void theWindowAlwaysAnswers();
};

void RealVoiceTest::theWindowAlwaysAnswers_data() {
    QTest::addColumn<bool>("serviceAnswers");
    QTest::newRow("speech-dispatcher with espeak-ng") << true;
    QTest::newRow("a service that never answers") << false;
}

void RealVoiceTest::theWindowAlwaysAnswers() {
    QFETCH(bool, serviceAnswers);
    const RuntimeFolder runtime;
    std::unique_ptr<SpeechService> service;
    if (serviceAnswers) {
        service = std::make_unique<SpeechService>(runtime);
        if (!service->isRunning())
            QSKIP("speech-dispatcher could not be started (is the package speech-dispatcher "
                  "installed?)");
    } else {
        QVERIFY(listenSilently(runtime.socketPath()));
    }
    ProgramDriver program({{u"TIVORAL.OPT"_s, "[*]\r\nSatzAnhoeren = ja\r\n"}});
    Voice& voice = program.app.voice;
    voice.setEngine(makeQtSpeechEngine());
    program.app.readingAids.reload();
    QElapsedTimer running;
    running.start();
    QVERIFY(answerTimeMs([&voice] { voice.start(); }) < AnswerLimitMs);
    // A service that starts up slowly may not answer at first; the voice is there once it has.
    QTRY_VERIFY_WITH_TIMEOUT(voice.isAvailable() && voice.isAnswering() == serviceAnswers,
                             VoiceStartMs);

    program.click(u"puzzleStartButton"_s);
    program.app.points.set(5);
    QApplication::setActiveWindow(&program.main());
    auto* panel = program.main().findChild<QWidget*>(u"puzzlePanel"_s);
    QList<PuzzleTile*> tiles;
    for (PuzzleTile* tile : panel->findChildren<PuzzleTile*>())
        if (tile->isVisible())
            tiles.append(tile);
    QVERIFY(tiles.size() > 1);
    const auto answersInTime = [](const char* what, const std::function<void()>& action) {
        const qint64 ms = answerTimeMs(action);
        QVERIFY2(ms < AnswerLimitMs, qPrintable(u"%1: %2 ms"_s.arg(QLatin1String(what)).arg(ms)));
    };
    const auto press = [panel](const QString& button) {
        QTest::mouseClick(panel->findChild<QAbstractButton*>(button), Qt::LeftButton);
    };
    do {
        program.dialogs.clear();
        answersInTime("Vorlesen", [&] { press(u"vorlesenButton"_s); });
        answersInTime("Satz anhören", [&] { press(u"satzAnhoerenButton"_s); });
        // Picked up with the keyboard, each tile says its word.
        for (int k = 0; k < 10; ++k)
            answersInTime("tile",
                          [&] { tiles.at(k % tiles.size())->setFocus(Qt::TabFocusReason); });
        QCOMPARE(program.dialogs.prompts(),
                 serviceAnswers ? QStringList() : QStringList(2, Voice::notAnsweringMessage()));
        QTest::qWait(RoundGapMs);
    } while (!serviceAnswers && running.elapsed() < HungServiceMs);
    // Hearing the sentence costs only when it is heard.
    QCOMPARE(program.app.points.value(), serviceAnswers ? 4 : 5);
    QCOMPARE(voice.isAnswering(), serviceAnswers);
}

QTEST_MAIN(RealVoiceTest)
#include "test_realvoice.moc"
