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
enum class Bus { Missing, Silent, Answering };

// A listening socket by path or, with an empty path, by abstract name. The backlog takes a
// connection even when nobody accepts it: the silent bus.
int listenAt(const QByteArray& path, const QByteArray& abstractName) {
    const int listening = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = path.isEmpty() ? '\0' + abstractName : path;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    // An abstract name is as long as it is, without an ending zero byte.
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + name.size() + !path.isEmpty());
    const bool ok = bind(listening, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                    listen(listening, 1) == 0;
    return ok ? listening : -1;
}

} // namespace

class SessionBusTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyASilentBusIsLeftOut_data();
    void onlyASilentBusIsLeftOut();
};

void SessionBusTest::onlyASilentBusIsLeftOut_data() {
    QTest::addColumn<Bus>("bus");
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<bool>("leftOut");
    QTest::newRow("silent, by path") << Bus::Silent << "unix:path=%1"_ba << true;
    QTest::newRow("silent, by abstract name, with a guid")
        << Bus::Silent << "unix:abstract=%2,guid=0123"_ba << true;
    QTest::newRow("silent, the first of two addresses")
        << Bus::Silent << "unix:path=%1;tcp:host=localhost,port=1"_ba << true;
    QTest::newRow("answering") << Bus::Answering << "unix:path=%1"_ba << false;
    QTest::newRow("not there: fails at once anyway") << Bus::Missing << "unix:path=%1"_ba << false;
    QTest::newRow("another transport") << Bus::Silent << "tcp:host=localhost,port=1"_ba << false;
}

void SessionBusTest::onlyASilentBusIsLeftOut() {
    QFETCH(Bus, bus);
    QFETCH(QByteArray, address);
    QFETCH(bool, leftOut);
    const QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(u"bus"_s));
    const QByteArray abstractName = "tivoral-test-" + QByteArray::number(getpid());
    const QByteArray at = address.contains("%2") ? QByteArray() : path;
    const int listening = bus == Bus::Missing ? -2 : listenAt(at, abstractName);
    QVERIFY(listening != -1);
    std::thread answerer([&] {
        const int client = bus == Bus::Answering ? accept(listening, nullptr, nullptr) : -1;
        char request[64];
        if (client >= 0 && read(client, request, sizeof request) > 0)
            QCOMPARE(write(client, "OK 0123\r\n", 9), 9);
    });
    const QByteArray given = address.replace("%1", path).replace("%2", abstractName);
    qputenv("DBUS_SESSION_BUS_ADDRESS", given);

    const auto asked = std::chrono::steady_clock::now();
    sessionbus::leaveOutIfSilent(ShortTimeout);
    answerer.join();
    QVERIFY(std::chrono::steady_clock::now() - asked < 10 * ShortTimeout);
    // Left out, Qt's connection must fail at once.
    QCOMPARE(qgetenv("DBUS_SESSION_BUS_ADDRESS"), leftOut ? "disabled:"_ba : given);
    close(listening);
}

QTEST_GUILESS_MAIN(SessionBusTest)
#include "test_sessionbus.moc"
