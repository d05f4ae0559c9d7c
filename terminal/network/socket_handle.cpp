#include "socket_handle.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace terminal::network {

SocketHandle& SocketHandle::operator=(SocketHandle&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        descriptor_ = other.release();
    }
    return *this;
}

SocketHandle::~SocketHandle() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

int SocketHandle::release() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
}

short WaitForSocket(int descriptor, short events, Deadline deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
        pollfd entry{descriptor, events, 0};
        const int ready = ::poll(&entry, 1, left > 0 ? static_cast<int>(left) : 0);
        if (ready > 0) {
            return entry.revents;
        }
        if (ready == 0 && left <= 0) {
            return 0;
        }
        if (ready < 0 && errno != EINTR) {
            return POLLERR;
        }
    }
}

QString SystemErrorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace terminal::network
