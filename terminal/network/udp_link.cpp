#include "udp_link.h"

#include "packet.h"

#include <cerrno>
#include <poll.h>

namespace terminal::network {

namespace {

// A datagram is never longer.
constexpr qsizetype DatagramLimit = 65536;

// Room for a whole chunk of transfer packets that arrive faster than they are taken.
constexpr int ReceiveBufferBytes = 4 * 1024 * 1024;

LinkFailure failureOfError(int error) {
    return (error == ECONNREFUSED || error == ENETUNREACH || error == EHOSTUNREACH)
               ? LinkFailure::Refused
               : LinkFailure::Broken;
}

} // namespace

UdpLink::UdpLink(SocketHandle socket, QString peer)
    : socket_(std::move(socket)), peer_(std::move(peer)), scratch_(DatagramLimit) {}

void UdpLink::fail(LinkFailure failure, const QString& what) const {
    throw LinkError(failure, QStringLiteral("%1: %2").arg(label(), what));
}

std::unique_ptr<UdpLink> UdpLink::Open(const SocketAddress& address) {
    SocketHandle socket(
        ::socket(address.storage.ss_family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    const int error = socket.get() < 0 ? errno : 0;
    // Connecting the socket keeps other senders' datagrams out and lets the system report an
    // address that refuses them.
    if (error != 0 || ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address.storage),
                                address.length) != 0) {
        const int cause = error != 0 ? error : errno;
        throw LinkError(
            failureOfError(cause),
            QStringLiteral("Terminal %1 over UDP: %2").arg(address.text, SystemErrorText(cause)));
    }
    const int size = ReceiveBufferBytes;
    ::setsockopt(socket.get(), SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    return std::unique_ptr<UdpLink>(new UdpLink(std::move(socket), address.text));
}

void UdpLink::send(const QByteArray& packet, Deadline deadline) {
    for (;;) {
        if (::send(socket_.get(), packet.constData(), static_cast<size_t>(packet.size()),
                   MSG_NOSIGNAL) >= 0) {
            return;
        }
        const int error = errno;
        if (error == EINTR) {
            continue;
        }
        if (error != EAGAIN && error != EWOULDBLOCK) {
            fail(failureOfError(error), SystemErrorText(error));
        }
        if (WaitForSocket(socket_.get(), POLLOUT, deadline) == 0) {
            fail(LinkFailure::NoAnswer, QStringLiteral("the system takes no more datagrams"));
        }
    }
}

std::optional<QByteArray> UdpLink::receive(Deadline deadline) {
    for (;;) {
        if (WaitForSocket(socket_.get(), POLLIN, deadline) == 0) {
            return std::nullopt;
        }
        const ssize_t got = ::recv(socket_.get(), scratch_.data(), scratch_.size(), 0);
        if (got >= 0) {
            QByteArray datagram(scratch_.data(), got);
            if (IsForeignProtocolFrame(datagram)) {
                fail(LinkFailure::ForeignProtocol,
                     QStringLiteral("the answer is in another protocol (frames starting AA 01)"));
            }
            return datagram;
        }
        const int error = errno;
        if (error != EINTR && error != EAGAIN && error != EWOULDBLOCK) {
            fail(failureOfError(error), SystemErrorText(error));
        }
    }
}

} // namespace terminal::network
