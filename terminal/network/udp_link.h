#pragma once

#include "link_error.h"
#include "packet_link.h"
#include "socket_address.h"
#include "socket_handle.h"

#include <memory>
#include <vector>

namespace terminal::network {

// A UDP link to a terminal: one packet a datagram; only the terminal's datagrams are taken.
class UdpLink final : public PacketLink {
public:
    // Opens the socket for the address, or throws LinkError (Refused when the address cannot be
    // reached).
    static std::unique_ptr<UdpLink> Open(const SocketAddress& address);

    void send(const QByteArray& packet, Deadline deadline) override;
    std::optional<QByteArray> receive(Deadline deadline) override;
    bool isStream() const override { return false; }
    bool closedByTerminal() override { return false; }
    QString label() const override { return QStringLiteral("Terminal %1 over UDP").arg(peer_); }

private:
    UdpLink(SocketHandle socket, QString peer);
    [[noreturn]] void fail(LinkFailure failure, const QString& what) const;

    SocketHandle socket_;
    QString peer_;
    std::vector<char> scratch_;
};

} // namespace terminal::network
