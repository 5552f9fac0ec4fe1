// A session bus that takes connections but never answers is left out before Qt waits for it;
// every other bus is left to Qt.

#include "platform/sessionbus.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace tivoral;
using namespace Qt::StringLiterals;

namespace {

constexpr std::chrono::milliseconds ShortTimeout{200};
const char* const AddressVariable = "DBUS_SESSION_BUS_ADDRESS";

enum class Bus { Missing, Silent, Answering };

// A bus socket at a path, or by an abstract name when the path is left empty.
class FakeBus {
public:
    FakeBus(Bus kind, const QByteArray& path, const QByteArray& abstractName) {
        if (kind == Bus::Missing)
            return;
        listening_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        socklen_t length = sizeof address;
        if (path.isEmpty()) {
            std::memcpy(address.sun_path + 1, abstractName.constData(), abstractName.size());
            length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + abstractName.size());
        } else {
            std::memcpy(address.sun_path, path.constData(), path.size());
        }
        // Taken by the backlog even when nobody accepts: the silent bus.
        bound_ = bind(listening_, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                 listen(listening_, 1) == 0;
        if (kind == Bus::Answering)
            answerer_ = std::thread([socket = listening_] {
                const int client = accept(socket, nullptr, nullptr);
                char request[64];
                if (client >= 0 && read(client, request, sizeof request) > 0)
                    (void)!write(client, "OK 1234deadbeef\r\n", 17);
                if (client >= 0)
                    close(client);
            });
    }
    ~FakeBus() {
        if (answerer_.joinable())
            answerer_.join();
        if (listening_ >= 0)
            close(listening_);
    }
    bool bound() const { return bound_; }

private:
    int listening_ = -1;
    bool bound_ = true;
    std::thread answerer_;
};

} // namespace

class SessionBusTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyASilentBusIsLeftOut_data();
    void onlyASilentBusIsLeftOut();
};

void SessionBusTest::onlyASilentBusIsLeftOut_data() {
    QTest::addColumn<Bus>("bus");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("leftOut");
    QTest::newRow("silent, by path") << Bus::Silent << u"unix:path=%1"_s << true;
    QTest::newRow("silent, by abstract name, with a guid")
        << Bus::Silent << u"unix:abstract=%2,guid=0123"_s << true;
    QTest::newRow("silent, the first of two addresses")
        << Bus::Silent << u"unix:path=%1;tcp:host=localhost,port=1"_s << true;
    QTest::newRow("answering") << Bus::Answering << u"unix:path=%1"_s << false;
    QTest::newRow("not there: fails at once anyway") << Bus::Missing << u"unix:path=%1"_s << false;
    QTest::newRow("another transport") << Bus::Silent << u"tcp:host=localhost,port=1"_s << false;
}

void SessionBusTest::onlyASilentBusIsLeftOut() {
    QFETCH(Bus, bus);
    QFETCH(QString, address);
    QFETCH(bool, leftOut);
    const QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(u"bus"_s));
    const QByteArray abstractName = "tivoral-test-" + QByteArray::number(getpid());
    const bool byAbstractName = address.contains(u"%2"_s);
    const FakeBus fake(bus, byAbstractName ? QByteArray() : path, abstractName);
    QVERIFY(fake.bound());
    const QByteArray given =
        address.toUtf8().replace("%1", path).replace("%2", abstractName);
    qputenv(AddressVariable, given);

    QElapsedTimer timer;
    timer.start();
    sessionbus::leaveOutIfSilent(ShortTimeout);
    QVERIFY(timer.elapsed() < 10 * ShortTimeout.count());
    QCOMPARE(qgetenv(AddressVariable) != given, leftOut);
    // Qt's connection to the address left in place must fail at once.
    if (leftOut)
        QCOMPARE(qgetenv(AddressVariable), "disabled:"_ba);
}

QTEST_GUILESS_MAIN(SessionBusTest)
#include "test_sessionbus.moc"
