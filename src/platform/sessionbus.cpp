#include "platform/sessionbus.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QtGlobal>

#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tivoral::sessionbus {

namespace {

const char* const AddressVariable = "DBUS_SESSION_BUS_ADDRESS";
// An address no transport takes: Qt's connection fails at once, and the program runs without
// a screen reader's bus, as it must with a silent one.
const char* const LeftOutAddress = "disabled:";

// The socket of the first address when it is a Unix socket by path or abstract name; the bus
// tries the addresses in order, and any other kind is left to Qt.
std::optional<sockaddr_un> unixSocketOf(const QByteArray& addresses) {
    const QByteArray first = addresses.split(';').constFirst();
    if (!first.startsWith("unix:"))
        return std::nullopt;
    for (const QByteArray& pair : first.mid(int(std::strlen("unix:"))).split(',')) {
        const bool byPath = pair.startsWith("path=");
        if (!byPath && !pair.startsWith("abstract="))
            continue;
        const QByteArray name = pair.mid(pair.indexOf('=') + 1);
        sockaddr_un socketAddress{};
        socketAddress.sun_family = AF_UNIX;
        // An abstract name starts with a zero byte.
        const qsizetype offset = byPath ? 0 : 1;
        if (name.isEmpty() || name.contains('%') ||
            offset + name.size() >= qsizetype(sizeof socketAddress.sun_path))
            return std::nullopt;
        std::memcpy(socketAddress.sun_path + offset, name.constData(), std::size_t(name.size()));
        return socketAddress;
    }
    return std::nullopt;
}

// True unless the bus takes the connection and then says nothing within the time: the first
// step of every client, a zero byte and an authentication request, must get a line back.
bool answers(const sockaddr_un& socketAddress, std::chrono::milliseconds timeout) {
    const int connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (connection < 0)
        return true;
    const socklen_t length =
        socketAddress.sun_path[0] != '\0'
            ? socklen_t(sizeof socketAddress)
            : socklen_t(offsetof(sockaddr_un, sun_path) + 1 +
                        std::strlen(socketAddress.sun_path + 1));
    bool answered = true;
    if (::connect(connection, reinterpret_cast<const sockaddr*>(&socketAddress), length) == 0) {
        const QByteArray request = QByteArray(1, '\0') + QByteArray("AUTH EXTERNAL ") +
                                   QByteArray::number(uint(getuid())).toHex() + "\r\n";
        answered = send(connection, request.constData(), std::size_t(request.size()),
                        MSG_NOSIGNAL) == request.size();
        pollfd reply{connection, POLLIN, 0};
        answered = answered && poll(&reply, 1, int(timeout.count())) > 0;
    }
    // A bus that is not there at all fails Qt's connection at once; nothing to leave out.
    close(connection);
    return answered;
}

} // namespace

void leaveOutIfSilent(std::chrono::milliseconds timeout) {
    const std::optional<sockaddr_un> socketAddress = unixSocketOf(qgetenv(AddressVariable));
    if (socketAddress && !answers(*socketAddress, timeout)) {
        qWarning("Der Sitzungsbus antwortet nicht; Tivoral startet ohne ihn.");
        qputenv(AddressVariable, LeftOutAddress);
    }
}

} // namespace tivoral::sessionbus
