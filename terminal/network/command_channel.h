#pragma once

#include "link_error.h"
#include "packet.h"
#include "packet_link.h"

#include <functional>
#include <memory>

namespace terminal::network {

struct ChannelTimeouts {
    // How long a reply, or the next packet of a transfer, may take.
    milliseconds reply{3000};
    // How often a request goes out over a datagram link before the terminal counts as silent.
    int tries = 3;
};

// The reply that ended a request, or (code Data) the bytes a transfer delivered.
struct Reply {
    quint16 code = 0;
    quint16 field = 0;
    QByteArray data;
};

// The readable name of a reply code, for messages: "error 2001", "unknown command", ...
QString ReplyCodeText(quint16 value);

// Requests and their replies over one link to a terminal, within one session.
//
// Every request carries the next reply id, and only packets that carry it and fit the request
// count as its reply; anything else (late or repeated packets of earlier requests, packets
// with a wrong checksum) is discarded, up to a bound. Over a datagram link a request that goes
// unanswered is sent again: a short one unchanged, as the terminal answers a repeated reply id
// from its copy of its last reply; a transfer under a new reply id, from the first byte that
// has not arrived yet, as the terminal never sends transfer bytes twice.
class CommandChannel {
public:
    CommandChannel(std::unique_ptr<PacketLink> link, ChannelTimeouts timeouts);

    // Starts the session: connect, with session 0. The reply (OK, or Unauthorised when the
    // terminal wants its communication key) brings the session id.
    Reply openSession(milliseconds wait);

    // A request answered by one reply packet; wait replaces the usual reply timeout.
    Reply command(quint16 request, const QByteArray& data = {},
                  milliseconds wait = milliseconds(0));

    // A request that may be answered by a transfer: its bytes (code Data) or the reply that
    // ended it. Over a datagram link the request is sent again while isWhole does not accept
    // the bytes that arrived.
    Reply transfer(quint16 request, const QByteArray& data,
                   const std::function<bool(const QByteArray&)>& isWhole);

    // Reads length bytes of the terminal's prepared buffer from offset onwards and appends
    // them to sink; throws when they cannot all be read.
    void readBufferChunk(quint32 offset, quint32 length, QByteArray& sink);

    PacketLink& link() { return *link_; }
    quint16 session() const { return session_; }

private:
    struct TransferProgress {
        quint32 received = 0;        // bytes appended to the sink
        bool complete = false;       // the transfer delivered all its bytes
        std::optional<Packet> reply; // the reply that ended the request without a transfer
    };

    quint16 send(quint16 request, const QByteArray& data);
    std::optional<Packet> await(quint16 replyId, Deadline deadline, bool transferPackets);
    TransferProgress receiveTransfer(quint16 replyId, std::optional<quint32> expected,
                                     QByteArray& sink);
    int tries() const;
    [[noreturn]] void fail(LinkFailure failure, const QString& what) const;

    std::unique_ptr<PacketLink> link_;
    ChannelTimeouts timeouts_;
    quint16 session_ = 0;
    quint16 lastReplyId_ = 0;
};

} // namespace terminal::network
