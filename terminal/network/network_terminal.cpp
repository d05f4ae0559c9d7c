#include "network_terminal.h"

#include "byte_order.h"
#include "data_set_download.h"
#include "protocol_codes.h"
#include "terminal_connector.h"

namespace terminal {

using network::CommandChannel;
using network::LogRecord;

namespace {

bool commandOk(CommandChannel& link, quint16 request, const QByteArray& data = {}) {
    return link.command(request, data).code == network::code::Ok;
}

QByteArray pauseSeconds(quint32 seconds) {
    QByteArray data;
    network::AppendU32(data, seconds);
    return data;
}

void enableQuietly(CommandChannel& link) {
    try {
        commandOk(link, network::code::EnableDevice);
    } catch (const platform::TerminalError&) {
        // The terminal enables itself when its pause runs out.
    }
}

} // namespace

NetworkTerminal::NetworkTerminal(const TerminalOptions& options) : options_(options) {}

NetworkTerminal::~NetworkTerminal() = default;

TerminalBool NetworkTerminal::OpenTerminalLink(const QString& address, qint32 port) {
    CloseTerminalLink();
    address_ = network::ParseSocketAddress(address, port);
    if (!address_) {
        errorCode_ = ConnectBadAddress;
        errorText_ = QStringLiteral("'%1' port %2 is no numeric network address and port of a "
                                    "terminal")
                         .arg(address)
                         .arg(port);
        return TerminalFalse;
    }
    network::ConnectOutcome outcome = network::ConnectTerminal(*address_, options_);
    errorCode_ = outcome.errorCode;
    errorText_ = outcome.errorText;
    if (!outcome.channel) {
        return TerminalFalse;
    }
    channel_ = std::move(outcome.channel);
    linkTransport_ = channel_->link().isStream() ? TerminalTransport::Tcp : TerminalTransport::Udp;
    return TerminalTrue;
}

void NetworkTerminal::QueryErrorCode(qint32& code) {
    code = errorCode_;
}

CommandChannel& NetworkTerminal::channel() {
    if (!channel_ || !address_) {
        throw platform::TerminalError(QStringLiteral("No link to a terminal is open."));
    }
    if (channel_->link().closedByTerminal()) {
        // The terminal drops a TCP link that stays idle for some seconds, as it does while the
        // loader posts the records it read: a new session takes its place.
        const QString label = channel_->link().label();
        channel_.reset();
        TerminalOptions sameTransport = options_;
        sameTransport.transport = linkTransport_;
        network::ConnectOutcome outcome = network::ConnectTerminal(*address_, sameTransport);
        if (!outcome.channel) {
            throw platform::TerminalError(
                QStringLiteral("%1: the terminal closed the link, and a new connect failed: %2")
                    .arg(label, outcome.errorText));
        }
        channel_ = std::move(outcome.channel);
    }
    return *channel_;
}

TerminalBool NetworkTerminal::PrepareLogRead(qint32 /*M*/) {
    CommandChannel& link = channel();
    log_.reset();
    nextRecord_ = 0;
    const bool clearing = options_.clearAfterLoad;
    // Paused, the terminal adds no record while its log is read (nor, when the log is to be
    // cleared, until the records are committed).
    if (!commandOk(
            link, network::code::DisableDevice,
            pauseSeconds(clearing ? options_.clearPauseSeconds : options_.readPauseSeconds))) {
        throw platform::TerminalError(
            QStringLiteral("%1: the terminal refused to pause for the read of its log")
                .arg(link.link().label()));
    }
    try {
        const network::DeviceCounts counts = network::ReadDeviceCounts(link);
        if (counts.records == 0) {
            enableQuietly(link);
            return TerminalFalse;
        }
        const quint32 chunkSize =
            link.link().isStream() ? options_.tcpChunkSize : options_.udpChunkSize;
        network::AttendanceLog log(
            network::DownloadDataSet(link, network::DataSetKind::Attendance, chunkSize),
            counts.records, link.link().label());
        if (log.needsUserList()) {
            log.setUserList(network::DownloadDataSet(link, network::DataSetKind::Users, chunkSize),
                            counts.users);
        }
        log_ = std::move(log);
    } catch (const network::LinkError&) {
        throw; // the link is gone or silent: nothing more can be said to the terminal
    } catch (const platform::TerminalError&) {
        enableQuietly(link);
        throw;
    }
    if (!clearing) {
        enableQuietly(link);
    }
    return TerminalTrue;
}

bool NetworkTerminal::nextRecord(LogRecord& record) {
    if (!log_ || nextRecord_ >= log_->size()) {
        return false;
    }
    record = log_->record(nextRecord_);
    ++nextRecord_;
    return true;
}

TerminalBool NetworkTerminal::NextFaceLogRecord(qint32 M, QString& enrolment, qint32& a,
                                                qint32& mode, qint32& year, qint32& month,
                                                qint32& day, qint32& hour, qint32& minute,
                                                qint32& second, qint32& b, qint32& c, QString& d) {
    if (!IsTrue(
            NextTextLogRecord(M, enrolment, a, mode, year, month, day, hour, minute, second, b))) {
        return TerminalFalse;
    }
    c = 0;
    d.clear();
    return TerminalTrue;
}

TerminalBool NetworkTerminal::NextTextLogRecord(qint32 /*M*/, QString& enrolment, qint32& a,
                                                qint32& mode, qint32& year, qint32& month,
                                                qint32& day, qint32& hour, qint32& minute,
                                                qint32& second, qint32& b) {
    LogRecord record;
    if (!nextRecord(record)) {
        return TerminalFalse;
    }
    enrolment = record.enrolment;
    a = record.verification;
    mode = record.state;
    year = record.time.year;
    month = record.time.month;
    day = record.time.day;
    hour = record.time.hour;
    minute = record.time.minute;
    second = record.time.second;
    b = static_cast<qint32>(record.workCode);
    return TerminalTrue;
}

TerminalBool NetworkTerminal::NextNumericLogRecord(qint32 M, qint32& a, qint32& enrolment,
                                                   qint32& b, qint32& c, qint32& mode, qint32& year,
                                                   qint32& month, qint32& day, qint32& hour,
                                                   qint32& minute) {
    LogRecord record;
    if (!nextRecord(record)) {
        return TerminalFalse;
    }
    enrolment = network::NumericEnrolment(record.enrolment);
    a = M;
    b = M;
    c = record.verification;
    mode = record.state;
    year = record.time.year;
    month = record.time.month;
    day = record.time.day;
    hour = record.time.hour;
    minute = record.time.minute;
    return TerminalTrue;
}

TerminalBool NetworkTerminal::AfterReadStep1(qint32 /*M*/) {
    CommandChannel& link = channel();
    if (!options_.clearAfterLoad) {
        return commandOk(link, network::code::FreeData) ? TerminalTrue : TerminalFalse;
    }
    if (!log_) {
        return TerminalFalse; // nothing was read, so nothing may be cleared
    }
    // Cleared is only what was read: a log that has grown since holds records nobody has.
    const network::DeviceCounts counts = network::ReadDeviceCounts(link);
    bool cleared = false;
    if (counts.records == log_->size()) {
        cleared = commandOk(link, network::code::ClearAttendanceLog);
    }
    commandOk(link, network::code::FreeData);
    return cleared ? TerminalTrue : TerminalFalse;
}

TerminalBool NetworkTerminal::AfterReadStep2(qint32 /*M*/) {
    return commandOk(channel(), network::code::RefreshData) ? TerminalTrue : TerminalFalse;
}

TerminalBool NetworkTerminal::SetTerminalActive(qint32 /*M*/, TerminalBool flag) {
    CommandChannel& link = channel();
    const bool done = IsTrue(flag) ? commandOk(link, network::code::EnableDevice)
                                   : commandOk(link, network::code::DisableDevice,
                                               pauseSeconds(options_.readPauseSeconds));
    return done ? TerminalTrue : TerminalFalse;
}

void NetworkTerminal::CloseTerminalLink() {
    if (channel_) {
        try {
            if (!channel_->link().closedByTerminal()) {
                channel_->command(network::code::Exit, {}, options_.closeTimeout);
            }
        } catch (const platform::TerminalError&) {
            // The link closes all the same.
        }
    }
    channel_.reset();
    log_.reset();
    nextRecord_ = 0;
}

} // namespace terminal
