#include "tcp_link.h"

#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>

namespace terminal::network {

namespace {

// What one read takes from the socket at most; a large frame arrives in several.
constexpr qsizetype ReadPiece = qsizetype(64) * 1024;

LinkFailure failureOfConnectError(int error) {
    return error == ETIMEDOUT ? LinkFailure::NoAnswer : LinkFailure::Refused;
}

LinkFailure failureOfStreamError(int error) {
    return (error == ECONNRESET || error == EPIPE) ? LinkFailure::Closed : LinkFailure::Broken;
}

} // namespace

TcpLink::TcpLink(SocketHandle socket, QString peer)
    : socket_(std::move(socket)), peer_(std::move(peer)) {}

void TcpLink::fail(LinkFailure failure, const QString& what) const {
    throw LinkError(failure, QStringLiteral("%1: %2").arg(label(), what));
}

std::unique_ptr<TcpLink> TcpLink::Connect(const SocketAddress& address, Deadline deadline) {
    const auto fail = [&address](LinkFailure failure, const QString& what) {
        throw LinkError(failure,
                        QStringLiteral("Terminal %1 over TCP: %2").arg(address.text, what));
    };
    SocketHandle socket(
        ::socket(address.storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (socket.get() < 0) {
        fail(LinkFailure::Broken, SystemErrorText(errno));
    }
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address.storage),
                  address.length) != 0) {
        const int error = errno;
        if (error != EINPROGRESS) {
            fail(failureOfConnectError(error), SystemErrorText(error));
        }
        if (WaitForSocket(socket.get(), POLLOUT, deadline) == 0) {
            fail(LinkFailure::NoAnswer, QStringLiteral("no answer to the connection request"));
        }
        int pending = 0;
        socklen_t size = sizeof pending;
        if (::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &pending, &size) != 0) {
            pending = errno;
        }
        if (pending != 0) {
            fail(failureOfConnectError(pending), SystemErrorText(pending));
        }
    }
    // Requests are small and each waits for its reply: sending them at once matters more than
    // filling packets.
    const int on = 1;
    ::setsockopt(socket.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return std::unique_ptr<TcpLink>(new TcpLink(std::move(socket), address.text));
}

void TcpLink::send(const QByteArray& packet, Deadline deadline) {
    const QByteArray frame = FrameTcpPacket(packet);
    qsizetype sent = 0;
    while (sent < frame.size()) {
        const ssize_t written = ::send(socket_.get(), frame.constData() + sent,
                                       static_cast<size_t>(frame.size() - sent), MSG_NOSIGNAL);
        if (written >= 0) {
            sent += written;
            continue;
        }
        const int error = errno;
        if (error == EINTR) {
            continue;
        }
        if (error != EAGAIN && error != EWOULDBLOCK) {
            fail(failureOfStreamError(error), SystemErrorText(error));
        }
        if (WaitForSocket(socket_.get(), POLLOUT, deadline) == 0) {
            fail(LinkFailure::NoAnswer, QStringLiteral("the terminal takes no more data"));
        }
    }
}

std::optional<QByteArray> TcpLink::receive(Deadline deadline) {
    QByteArray packet;
    char piece[ReadPiece];
    for (;;) {
        switch (reader_.next(packet)) {
        case TcpFrameReader::Status::Packet:
            return packet;
        case TcpFrameReader::Status::ForeignProtocol:
            fail(LinkFailure::ForeignProtocol,
                 QStringLiteral("the answer is in another protocol (frames starting AA 01)"));
        case TcpFrameReader::Status::Garbled:
            fail(LinkFailure::Garbled, QStringLiteral("the answer is not a frame of the "
                                                      "terminal protocol"));
        case TcpFrameReader::Status::NeedMore:
            break;
        }
        if (WaitForSocket(socket_.get(), POLLIN, deadline) == 0) {
            return std::nullopt;
        }
        const ssize_t got = ::recv(socket_.get(), piece, sizeof piece, 0);
        if (got > 0) {
            reader_.append(piece, got);
            continue;
        }
        if (got == 0) {
            fail(LinkFailure::Closed,
                 reader_.pending() > 0
                     ? QStringLiteral("the terminal closed the link in the middle of a packet")
                     : QStringLiteral("the terminal closed the link"));
        }
        const int error = errno;
        if (error != EINTR && error != EAGAIN && error != EWOULDBLOCK) {
            fail(failureOfStreamError(error), SystemErrorText(error));
        }
    }
}

bool TcpLink::closedByTerminal() {
    const short events = WaitForSocket(socket_.get(), POLLIN | POLLRDHUP, Clock::now());
    if ((events & (POLLHUP | POLLRDHUP | POLLERR)) != 0) {
        return true;
    }
    if ((events & POLLIN) != 0) {
        char byte = 0;
        const ssize_t got = ::recv(socket_.get(), &byte, 1, MSG_PEEK);
        return got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
    }
    return false;
}

} // namespace terminal::network
