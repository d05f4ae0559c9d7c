#pragma once

#include <QByteArray>
#include <optional>

namespace terminal::network {

// One protocol packet: an 8-byte header (code, checksum, general field, reply id) and data.
// The general field is the session id in requests; in replies it is the new session id
// (connect), the packet index (transfer packets) or often an error number.
struct Packet {
    quint16 code = 0;
    quint16 field = 0;
    quint16 replyId = 0;
    QByteArray data;
};

constexpr qsizetype PacketHeaderSize = 8;

// The checksum of an encoded packet, its own field counted as zero: the 16-bit little-endian
// words summed (an odd last byte as a low byte), carries folded back until none is left, and
// the sum taken from 0xFFFF.
quint16 PacketChecksum(const QByteArray& packet);

// The packet's bytes, checksum filled in.
QByteArray EncodePacket(const Packet& packet);

// The packet in the bytes; nothing when they are shorter than a header or the checksum is
// wrong (such a packet is dropped, as a device drops it).
std::optional<Packet> DecodePacket(const QByteArray& bytes);

// Whether the bytes are a frame of the other protocol some units speak on the same port: it
// starts AA 01 and ends 55. Such a unit is reported as not speaking this protocol.
bool IsForeignProtocolFrame(const QByteArray& bytes);

} // namespace terminal::network
