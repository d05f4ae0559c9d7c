#pragma once

#include "packet_link.h"

#include <QString>

namespace terminal::network {

// Owns one non-blocking socket and closes it.
class SocketHandle {
public:
    SocketHandle() = default;
    explicit SocketHandle(int descriptor) : descriptor_(descriptor) {}
    SocketHandle(SocketHandle&& other) noexcept : descriptor_(other.release()) {}
    SocketHandle& operator=(SocketHandle&& other) noexcept;
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    ~SocketHandle();

    int get() const { return descriptor_; }
    int release();

private:
    int descriptor_ = -1;
};

// Waits until the socket is ready for the poll events or the deadline has come; the events
// seen, or 0 at the deadline.
short WaitForSocket(int descriptor, short events, Deadline deadline);

// The text of a system error number, for messages.
QString SystemErrorText(int error);

} // namespace terminal::network
