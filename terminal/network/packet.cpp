#include "packet.h"

#include "byte_order.h"

namespace terminal::network {

namespace {

constexpr qsizetype ChecksumOffset = 2;

} // namespace

quint16 PacketChecksum(const QByteArray& packet) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(packet.constData());
    const qsizetype size = packet.size();
    quint64 sum = 0;
    qsizetype at = 0;
    for (; at + 1 < size; at += 2) {
        if (at != ChecksumOffset) {
            sum += static_cast<quint64>(bytes[at]) | (static_cast<quint64>(bytes[at + 1]) << 8U);
        }
    }
    if (at < size) {
        sum += bytes[at];
    }
    while ((sum >> 16U) != 0) {
        sum = (sum & 0xFFFFU) + (sum >> 16U);
    }
    return static_cast<quint16>(0xFFFFU - sum);
}

QByteArray EncodePacket(const Packet& packet) {
    QByteArray bytes(PacketHeaderSize, '\0');
    WriteU16(bytes, 0, packet.code);
    WriteU16(bytes, 4, packet.field);
    WriteU16(bytes, 6, packet.replyId);
    bytes.append(packet.data);
    WriteU16(bytes, ChecksumOffset, PacketChecksum(bytes));
    return bytes;
}

std::optional<Packet> DecodePacket(const QByteArray& bytes) {
    if (bytes.size() < PacketHeaderSize ||
        ReadU16(bytes, ChecksumOffset) != PacketChecksum(bytes)) {
        return std::nullopt;
    }
    Packet packet;
    packet.code = ReadU16(bytes, 0);
    packet.field = ReadU16(bytes, 4);
    packet.replyId = ReadU16(bytes, 6);
    packet.data = bytes.mid(PacketHeaderSize);
    return packet;
}

bool IsForeignProtocolFrame(const QByteArray& bytes) {
    return bytes.size() >= 3 && static_cast<quint8>(bytes.at(0)) == 0xAA &&
           static_cast<quint8>(bytes.at(1)) == 0x01 && static_cast<quint8>(bytes.back()) == 0x55;
}

} // namespace terminal::network
