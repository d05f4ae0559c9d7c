#pragma once

#include <QString>
#include <optional>
#include <sys/socket.h>

namespace terminal::network {

// A terminal's network address and port, ready for the socket calls.
struct SocketAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;
    QString text; // as the messages show it: address:port
};

// The address from its numeric text (IPv4 dotted, or IPv6; blanks around it are dropped, as a
// database column may pad it) and a port from 1 to 65535. Host names are not looked up: a name
// lookup could keep the loader waiting for minutes, and terminals are addressed by number.
std::optional<SocketAddress> ParseSocketAddress(const QString& address, qint32 port);

} // namespace terminal::network
