#pragma once

#include "attendance_log.h"
#include "command_channel.h"
#include "connect_error.h"
#include "socket_address.h"
#include "terminal/terminal_sdk.h"
#include "terminal_options.h"

#include <memory>
#include <optional>

namespace terminal {

// The terminal operations over the terminal's own network protocol (TCP or UDP, port 4370).
//
// - OpenTerminalLink opens a session (authenticated with the communication key when the
//   terminal asks for it); False when no terminal can be reached, QueryErrorCode then gives
//   one of the ConnectErrorCode values.
// - PrepareLogRead pauses the terminal, downloads its whole attendance log and checks it; it
//   answers False for an empty log and throws TerminalError when the transfer fails. The
//   terminal is enabled again at once, unless the log is to be cleared after the load.
// - The fetches deliver the downloaded records in order. Besides enrolment, mode and moment
//   they give: NextTextLogRecord a = verification kind, b = work code; NextFaceLogRecord the
//   same, c = 0, d empty; NextNumericLogRecord a = b = machine number, c = verification kind.
// - AfterReadStep1 frees the terminal's prepared data, or with ClearAfterLoad clears its
//   attendance log (refused, False, when the log has grown since the read); AfterReadStep2
//   makes the terminal refresh its data; SetTerminalActive enables or pauses it;
//   CloseTerminalLink ends the session and closes the link, and never throws.
// The machine number is not used: a link reaches one terminal. Every wait is bounded by the
// options' timeouts. A TCP link the terminal dropped while the loader was busy elsewhere is
// opened again before the next request.
class NetworkTerminal final : public TerminalSdk {
public:
    explicit NetworkTerminal(const TerminalOptions& options = {});
    ~NetworkTerminal() override;

    TerminalBool OpenTerminalLink(const QString& address, qint32 port) override;
    void QueryErrorCode(qint32& code) override;
    TerminalBool PrepareLogRead(qint32 M) override;
    TerminalBool NextFaceLogRecord(qint32 M, QString& enrolment, qint32& a, qint32& mode,
                                   qint32& year, qint32& month, qint32& day, qint32& hour,
                                   qint32& minute, qint32& second, qint32& b, qint32& c,
                                   QString& d) override;
    TerminalBool NextTextLogRecord(qint32 M, QString& enrolment, qint32& a, qint32& mode,
                                   qint32& year, qint32& month, qint32& day, qint32& hour,
                                   qint32& minute, qint32& second, qint32& b) override;
    TerminalBool NextNumericLogRecord(qint32 M, qint32& a, qint32& enrolment, qint32& b, qint32& c,
                                      qint32& mode, qint32& year, qint32& month, qint32& day,
                                      qint32& hour, qint32& minute) override;
    TerminalBool AfterReadStep1(qint32 M) override;
    TerminalBool AfterReadStep2(qint32 M) override;
    TerminalBool SetTerminalActive(qint32 M, TerminalBool flag) override;
    void CloseTerminalLink() override;

    // Why the last connect failed, in words (empty after a successful one).
    QString lastErrorText() const { return errorText_; }

private:
    // The session's channel, opened again first when the terminal has dropped the link. Called
    // once at the start of an operation: a reconnect replaces the channel.
    network::CommandChannel& channel();
    bool nextRecord(network::LogRecord& record);

    TerminalOptions options_;
    std::optional<network::SocketAddress> address_;
    TerminalTransport linkTransport_ = TerminalTransport::Auto;
    std::unique_ptr<network::CommandChannel> channel_;
    qint32 errorCode_ = ConnectOk;
    QString errorText_;
    std::optional<network::AttendanceLog> log_;
    qsizetype nextRecord_ = 0;
};

} // namespace terminal
