#pragma once

#include "command_channel.h"
#include "connect_error.h"
#include "socket_address.h"
#include "terminal_options.h"

#include <memory>

namespace terminal::network {

// A session with a terminal, or why there is none.
struct ConnectOutcome {
    std::unique_ptr<CommandChannel> channel; // set when the session is open (and authenticated)
    qint32 errorCode = ConnectOk;
    QString errorText;
};

// Opens a session with the terminal over the options' transport. With Auto, TCP is tried first
// and UDP when TCP brings no real connect reply (an open TCP port does not prove the terminal
// speaks TCP). A terminal that asks for its communication key gets it. Never throws.
ConnectOutcome ConnectTerminal(const SocketAddress& address, const TerminalOptions& options);

} // namespace terminal::network
