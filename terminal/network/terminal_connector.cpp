#include "terminal_connector.h"

#include "comm_key.h"
#include "protocol_codes.h"
#include "tcp_link.h"
#include "udp_link.h"

namespace terminal::network {

namespace {

qint32 codeOfFailure(LinkFailure failure) {
    switch (failure) {
    case LinkFailure::NoAnswer:
    case LinkFailure::Closed:
        return ConnectNoAnswer;
    case LinkFailure::ForeignProtocol:
    case LinkFailure::Garbled:
        return ConnectWrongProtocol;
    case LinkFailure::Refused:
    case LinkFailure::Broken:
        break;
    }
    return ConnectRefused;
}

// The more telling of two failures: what answered says more than what did not.
int weight(qint32 errorCode) {
    switch (errorCode) {
    case ConnectWrongProtocol:
        return 5;
    case ConnectUnauthorised:
        return 4;
    case ConnectRejected:
        return 3;
    case ConnectRefused:
        return 2;
    default:
        return 1;
    }
}

ConnectOutcome failed(qint32 errorCode, const QString& text) {
    return {nullptr, errorCode, text};
}

ConnectOutcome connectOver(bool tcp, const SocketAddress& address, const TerminalOptions& options) {
    try {
        std::unique_ptr<PacketLink> link;
        if (tcp) {
            link = TcpLink::Connect(address, DeadlineIn(options.connectTimeout));
        } else {
            link = UdpLink::Open(address);
        }
        const QString label = link->label();
        auto channel = std::make_unique<CommandChannel>(
            std::move(link), ChannelTimeouts{options.replyTimeout, options.udpTries});
        const Reply reply = channel->openSession(options.connectTimeout);
        if (reply.code == code::Ok) {
            return {std::move(channel), ConnectOk, QString()};
        }
        if (reply.code != code::Unauthorised) {
            return failed(ConnectRejected, QStringLiteral("%1: the terminal answered the connect "
                                                          "request with %2")
                                               .arg(label, ReplyCodeText(reply.code)));
        }
        if (!options.commKey) {
            return failed(ConnectUnauthorised,
                          QStringLiteral("%1: the terminal asks for its communication key, and "
                                         "none is set (CommKey in section [Terminal])")
                              .arg(label));
        }
        const Reply proof = channel->command(
            code::Authenticate, AuthenticationData(*options.commKey, channel->session()));
        if (proof.code != code::Ok) {
            return failed(ConnectUnauthorised,
                          QStringLiteral("%1: the terminal refused the communication key (%2)")
                              .arg(label, ReplyCodeText(proof.code)));
        }
        return {std::move(channel), ConnectOk, QString()};
    } catch (const LinkError& error) {
        return failed(codeOfFailure(error.failure()), error.text());
    }
}

} // namespace

ConnectOutcome ConnectTerminal(const SocketAddress& address, const TerminalOptions& options) {
    if (options.transport != TerminalTransport::Auto) {
        return connectOver(options.transport == TerminalTransport::Tcp, address, options);
    }
    ConnectOutcome overTcp = connectOver(true, address, options);
    // A connect reply, even a refusal, shows the terminal speaks TCP.
    if (overTcp.channel || overTcp.errorCode == ConnectUnauthorised ||
        overTcp.errorCode == ConnectRejected) {
        return overTcp;
    }
    ConnectOutcome overUdp = connectOver(false, address, options);
    if (overUdp.channel) {
        return overUdp;
    }
    const qint32 errorCode = weight(overTcp.errorCode) >= weight(overUdp.errorCode)
                                 ? overTcp.errorCode
                                 : overUdp.errorCode;
    return failed(errorCode, overTcp.errorText + QStringLiteral("; ") + overUdp.errorText);
}

} // namespace terminal::network
