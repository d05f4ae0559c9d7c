#include "socket_address.h"

#include <arpa/inet.h>
#include <netinet/in.h>

namespace terminal::network {

std::optional<SocketAddress> ParseSocketAddress(const QString& address, qint32 port) {
    if (port < 1 || port > 65535) {
        return std::nullopt;
    }
    const QByteArray text = address.trimmed().toLatin1();
    SocketAddress result;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&result.storage);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&result.storage);
    if (inet_pton(AF_INET, text.constData(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(static_cast<quint16>(port));
        result.length = sizeof(sockaddr_in);
        result.text = QStringLiteral("%1:%2").arg(QString::fromLatin1(text)).arg(port);
        return result;
    }
    if (inet_pton(AF_INET6, text.constData(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(static_cast<quint16>(port));
        result.length = sizeof(sockaddr_in6);
        result.text = QStringLiteral("[%1]:%2").arg(QString::fromLatin1(text)).arg(port);
        return result;
    }
    return std::nullopt;
}

} // namespace terminal::network
