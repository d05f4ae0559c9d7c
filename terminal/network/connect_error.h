#pragma once

#include <QtGlobal>

namespace terminal {

// The codes QueryErrorCode gives after a failed OpenTerminalLink. Negative, so they cannot be
// taken for a count or an answer of the terminal.
enum ConnectErrorCode : qint32 {
    ConnectOk = 0,             // no connect has failed
    ConnectNoAnswer = -1,      // nothing answered within the timeouts, over TCP or UDP
    ConnectRefused = -2,       // the connection was refused, or the address cannot be reached
    ConnectUnauthorised = -3,  // the terminal wants a communication key: none or a wrong one
    ConnectWrongProtocol = -4, // something answered, but not in the terminal protocol
    ConnectBadAddress = -5,    // the address is no numeric IP address, or the port is invalid
    ConnectRejected = -6,      // the terminal answered the connect request with an error
};

} // namespace terminal
