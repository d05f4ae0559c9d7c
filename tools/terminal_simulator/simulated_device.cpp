#include "simulated_device.h"

#include "terminal/network/byte_order.h"
#include "terminal/network/comm_key.h"
#include "terminal/network/packet.h"
#include "terminal/network/protocol_codes.h"
#include "terminal/network/terminal_time.h"

#include <QDateTime>

namespace simulator {

namespace {

using namespace terminal::network;

constexpr qsizetype FreeSizesLength = 92;
constexpr quint32 UserCapacity = 3000;
constexpr quint32 FingerprintCapacity = 3000;
constexpr quint32 RecordCapacity = 1000000;
constexpr qsizetype BufferedReadLength = 11;

quint32 checksumOf(const QByteArray& bytes) {
    quint32 sum = 0;
    for (const char byte : bytes) {
        sum = sum * 31 + static_cast<quint8>(byte);
    }
    return sum;
}

TerminalTime timeOf(const QDateTime& moment) {
    const QDate date = moment.date();
    const QTime time = moment.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

} // namespace

SimulatedDevice::SimulatedDevice(ServedLog log, DeviceSettings settings)
    : log_(std::move(log)), settings_(settings) {}

QByteArray SimulatedDevice::reply(const DeviceSession& session, quint16 code, quint16 replyId,
                                  const QByteArray& data) const {
    return EncodePacket({code, session.id, replyId, data});
}

QByteArray SimulatedDevice::served(const QByteArray& dataSet) const {
    return dataSet.left(std::max<qint64>(0, dataSet.size() - settings_.shortTransferBytes));
}

QList<QByteArray> SimulatedDevice::transfer(const DeviceSession& session, quint16 replyId,
                                            const QByteArray& bytes, bool announce,
                                            bool stream) const {
    const qsizetype packetSize =
        stream ? std::max<qsizetype>(1, bytes.size()) : terminal::network::code::UdpPacketDataLimit;
    if (!announce && bytes.size() <= terminal::network::code::UdpPacketDataLimit) {
        return {EncodePacket({terminal::network::code::Data, 0, replyId, bytes})};
    }
    QByteArray size;
    AppendU32(size, static_cast<quint32>(bytes.size()));
    AppendU32(size, static_cast<quint32>(packetSize));
    QList<QByteArray> packets{reply(session, terminal::network::code::PrepareData, replyId, size)};
    quint16 index = 0;
    for (qsizetype at = 0; at < bytes.size(); at += packetSize) {
        packets.append(EncodePacket(
            {terminal::network::code::Data, index++, replyId, bytes.mid(at, packetSize)}));
    }
    packets.append(reply(session, terminal::network::code::Ok, replyId));
    return packets;
}

QByteArray SimulatedDevice::freeSizes() const {
    QByteArray sizes(FreeSizesLength, '\0');
    WriteU32(sizes, 16, log_.userCount);
    WriteU32(sizes, 24, 0);
    WriteU32(sizes, 32, log_.recordCount);
    WriteU32(sizes, 56, FingerprintCapacity);
    WriteU32(sizes, 60, UserCapacity);
    WriteU32(sizes, 64, RecordCapacity);
    WriteU32(sizes, 68, FingerprintCapacity);
    WriteU32(sizes, 72, UserCapacity - std::min(UserCapacity, log_.userCount));
    WriteU32(sizes, 76, RecordCapacity - std::min(RecordCapacity, log_.recordCount));
    return sizes;
}

DeviceAnswer SimulatedDevice::handle(DeviceSession& session, const QByteArray& request,
                                     bool stream) {
    namespace code = terminal::network::code;
    const std::optional<Packet> packet = DecodePacket(request);
    if (!packet) {
        return {};
    }
    if (packet->code == code::Connect) {
        if (session.open && session.lastCommand == code::Connect &&
            session.lastReplyId == packet->replyId) {
            return {session.lastReply, false};
        }
        session.open = true;
        session.id = nextSessionId_++;
        if (nextSessionId_ == 0) {
            nextSessionId_ = 1;
        }
        session.authenticated = !settings_.commKey;
        session.lastReplyId = packet->replyId;
        session.lastCommand = code::Connect;
        session.prepared.reset();
        session.lastReply = {
            reply(session, session.authenticated ? code::Ok : code::Unauthorised, packet->replyId)};
        return {session.lastReply, false};
    }
    if (!session.open || packet->field != session.id) {
        return {{reply(session, code::Unauthorised, packet->replyId)}, false};
    }
    if (session.lastReplyId) {
        if (packet->replyId == *session.lastReplyId) {
            return {session.lastReply, false};
        }
        if (packet->replyId < *session.lastReplyId && *session.lastReplyId != 0xFFFF) {
            return {};
        }
    }
    session.lastReplyId = packet->replyId;
    session.lastCommand = packet->code;
    DeviceAnswer answer =
        (session.authenticated || packet->code == code::Authenticate)
            ? run(session, packet->code, packet->replyId, packet->data, stream)
            : DeviceAnswer{{reply(session, code::Unauthorised, packet->replyId)}, false};
    // Transfer bytes are never sent twice: of a transfer only its closing packet is kept.
    session.lastReply.clear();
    for (const QByteArray& sent : answer.packets) {
        if (ReadU16(sent, 0) == code::Data) {
            session.lastReply.clear();
        } else if (answer.packets.size() == 1 || ReadU16(sent, 0) != code::PrepareData) {
            session.lastReply = {sent};
        }
    }
    if (answer.endLink) {
        session.open = false;
    }
    return answer;
}

DeviceAnswer SimulatedDevice::run(DeviceSession& session, quint16 command, quint16 replyId,
                                  const QByteArray& data, bool stream) {
    namespace code = terminal::network::code;
    const auto answer = [&](quint16 value, const QByteArray& bytes = {}) {
        return DeviceAnswer{{reply(session, value, replyId, bytes)}, false};
    };
    switch (command) {
    case code::Exit:
        return {{reply(session, code::Ok, replyId)}, true};
    case code::EnableDevice:
        enabled_ = true;
        return answer(code::Ok);
    case code::DisableDevice:
        enabled_ = false;
        return answer(code::Ok);
    case code::RefreshData:
        return answer(code::Ok);
    case code::GetVersion:
        return answer(code::Ok, QByteArrayLiteral("Ver 6.60 simulator\0"));
    case code::Authenticate:
        if (!settings_.commKey || AuthenticationMatches(data, *settings_.commKey, session.id)) {
            session.authenticated = true;
            return answer(code::Ok);
        }
        return answer(code::Unauthorised);
    case code::ReadOption:
        if (data.startsWith("~SerialNumber")) {
            return answer(code::Ok, QByteArrayLiteral("~SerialNumber=SIM0001\0"));
        }
        return answer(code::Error);
    case code::GetFreeSizes:
        return answer(code::Ok, freeSizes());
    case code::GetTime: {
        QByteArray moment;
        AppendU32(moment, EncodeTerminalTime(
                              timeOf(QDateTime::currentDateTime().addSecs(clockOffsetSeconds_))));
        return answer(code::Ok, moment);
    }
    case code::SetTime: {
        if (data.size() < 4) {
            return answer(code::Error);
        }
        const TerminalTime set = DecodeTerminalTime(ReadU32(data, 0));
        const QDateTime moment(QDate(set.year, set.month, set.day),
                               QTime(set.hour, set.minute, set.second));
        if (!moment.isValid()) {
            return answer(code::Error);
        }
        clockOffsetSeconds_ = QDateTime::currentDateTime().secsTo(moment);
        return answer(code::Ok);
    }
    case code::ClearData:
    case code::ClearAttendanceLog:
        log_ = ClearedLog(log_);
        return answer(code::Ok);
    case code::FreeData:
        session.prepared.reset();
        return answer(code::Ok);
    case code::PrepareBufferedRead: {
        if (!settings_.bufferedRead) {
            return answer(code::UnknownCommand);
        }
        if (data.size() < BufferedReadLength || data.at(0) != 1) {
            return answer(code::Error);
        }
        const quint16 inner = ReadU16(data, 1);
        if (inner == code::ReadAttendanceLog) {
            session.prepared = served(log_.attendance);
        } else if (inner == code::ReadAllUsers && data.at(3) == char(code::UserData)) {
            session.prepared = served(log_.users);
        } else {
            return answer(code::Error);
        }
        const QByteArray& prepared = *session.prepared;
        if (prepared.size() <= code::UdpPacketDataLimit) {
            return {transfer(session, replyId, prepared, false, stream), false};
        }
        QByteArray description(1, '\0');
        AppendU32(description, static_cast<quint32>(prepared.size()));
        AppendU32(description, static_cast<quint32>(prepared.size()));
        AppendU32(description, checksumOf(prepared));
        return answer(code::Ok, description);
    }
    case code::ReadBufferChunk: {
        if (!session.prepared || data.size() < 8) {
            return answer(code::Error);
        }
        const qint64 offset = ReadU32(data, 0);
        const qint64 length = ReadU32(data, 4);
        if (length == 0 || offset + length > session.prepared->size()) {
            return answer(code::Error);
        }
        return {transfer(session, replyId, session.prepared->mid(offset, length), false, stream),
                false};
    }
    case code::ReadAttendanceLog:
        return {transfer(session, replyId, served(log_.attendance), true, stream), false};
    case code::ReadAllUsers:
        if (data.size() < 1 || data.at(0) != char(code::UserData)) {
            return answer(code::Error);
        }
        return {transfer(session, replyId, served(log_.users), true, stream), false};
    default:
        return answer(code::UnknownCommand);
    }
}

} // namespace simulator
