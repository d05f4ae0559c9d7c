#pragma once

#include "link_error.h"
#include "packet_link.h"
#include "socket_address.h"
#include "socket_handle.h"
#include "tcp_frame.h"

#include <memory>

namespace terminal::network {

// A TCP link to a terminal: packets in frames, over a byte stream.
class TcpLink final : public PacketLink {
public:
    // Connects, or throws LinkError: Refused when the connection is refused or the address
    // cannot be reached, NoAnswer when the deadline comes first.
    static std::unique_ptr<TcpLink> Connect(const SocketAddress& address, Deadline deadline);

    void send(const QByteArray& packet, Deadline deadline) override;
    std::optional<QByteArray> receive(Deadline deadline) override;
    bool isStream() const override { return true; }
    bool closedByTerminal() override;
    QString label() const override { return QStringLiteral("Terminal %1 over TCP").arg(peer_); }

private:
    TcpLink(SocketHandle socket, QString peer);
    [[noreturn]] void fail(LinkFailure failure, const QString& what) const;

    SocketHandle socket_;
    QString peer_;
    TcpFrameReader reader_;
};

} // namespace terminal::network
