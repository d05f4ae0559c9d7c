#pragma once

#include "platform/errors.h"

namespace terminal::network {

// How a link to a terminal failed, for the code a failed connect leaves behind.
enum class LinkFailure {
    NoAnswer,        // nothing came back in time
    Refused,         // the connection was refused, or the address cannot be reached
    Closed,          // the terminal closed the link
    ForeignProtocol, // something answered, in the other protocol of the same port
    Garbled,         // something answered, but not with packets of this protocol
    Broken,          // the link failed otherwise
};

class LinkError : public platform::TerminalError {
public:
    LinkError(LinkFailure failure, const QString& message)
        : platform::TerminalError(message), failure_(failure) {}
    LinkFailure failure() const { return failure_; }

private:
    LinkFailure failure_;
};

} // namespace terminal::network
