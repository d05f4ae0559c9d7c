#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <optional>

namespace terminal::network {

using Clock = std::chrono::steady_clock;
using Deadline = Clock::time_point;
using std::chrono::milliseconds;

inline Deadline DeadlineIn(milliseconds wait) {
    return Clock::now() + wait;
}

// A link to a terminal that carries whole packets (the link adds and strips any framing).
// Every wait ends at a deadline; failures of the link throw LinkError.
class PacketLink {
public:
    PacketLink() = default;
    PacketLink(const PacketLink&) = delete;
    PacketLink& operator=(const PacketLink&) = delete;
    virtual ~PacketLink() = default;

    virtual void send(const QByteArray& packet, Deadline deadline) = 0;
    // The next packet's bytes (not checked yet), or nothing when the deadline came first.
    virtual std::optional<QByteArray> receive(Deadline deadline) = 0;
    // A stream link delivers every packet once and in order (TCP); a datagram link may lose,
    // repeat or reorder them (UDP).
    virtual bool isStream() const = 0;
    // Whether the terminal has closed the link since the last exchange (a terminal drops a TCP
    // link that stays idle for a few seconds).
    virtual bool closedByTerminal() = 0;
    // "Terminal <address> over TCP" (or UDP), for messages.
    virtual QString label() const = 0;
};

} // namespace terminal::network
