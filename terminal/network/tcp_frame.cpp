#include "tcp_frame.h"

#include "byte_order.h"
#include "packet.h"

namespace terminal::network {

namespace {

constexpr unsigned char FrameMagic[4] = {0x50, 0x50, 0x82, 0x7D};

} // namespace

QByteArray FrameTcpPacket(const QByteArray& packet) {
    QByteArray frame;
    frame.reserve(TcpFramePrefixSize + packet.size());
    frame.append(reinterpret_cast<const char*>(FrameMagic), sizeof FrameMagic);
    AppendU32(frame, static_cast<quint32>(packet.size()));
    frame.append(packet);
    return frame;
}

void TcpFrameReader::append(const char* bytes, qsizetype size) {
    // Drop what was taken before, once it is the larger part, so a long transfer does not
    // keep every frame it has seen.
    if (start_ > 0 && start_ >= buffer_.size() / 2) {
        buffer_.remove(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes, size);
}

TcpFrameReader::Status TcpFrameReader::next(QByteArray& packet) {
    const qsizetype available = pending();
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer_.constData() + start_);
    if (available >= 2 && bytes[0] == 0xAA && bytes[1] == 0x01) {
        return Status::ForeignProtocol;
    }
    const qsizetype magicSeen = std::min<qsizetype>(available, sizeof FrameMagic);
    for (qsizetype at = 0; at < magicSeen; ++at) {
        if (bytes[at] != FrameMagic[at]) {
            return Status::Garbled;
        }
    }
    if (available < TcpFramePrefixSize) {
        return Status::NeedMore;
    }
    const quint32 length = ReadU32(buffer_, start_ + 4);
    if (length < PacketHeaderSize || length > TcpFrameLimit) {
        return Status::Garbled;
    }
    if (available < TcpFramePrefixSize + qsizetype(length)) {
        return Status::NeedMore;
    }
    packet = buffer_.mid(start_ + TcpFramePrefixSize, length);
    start_ += TcpFramePrefixSize + qsizetype(length);
    if (start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
    return Status::Packet;
}

} // namespace terminal::network
