#pragma once

#include <QByteArray>

namespace terminal::network {

// Over TCP every packet travels in a frame: 50 50 82 7D, the packet's length as a 32-bit
// number, then the packet. The frame prefix is outside the checksum.
constexpr qsizetype TcpFramePrefixSize = 8;

// The largest packet a frame may announce. A whole attendance log in one packet stays far
// below it; a larger length means the stream is not what it should be.
constexpr quint32 TcpFrameLimit = 64U * 1024U * 1024U;

QByteArray FrameTcpPacket(const QByteArray& packet);

// Cuts a TCP byte stream into packets: bytes arrive in any pieces, a frame may come in several
// of them and several frames in one.
class TcpFrameReader {
public:
    enum class Status {
        Packet,          // a whole packet was taken from the stream
        NeedMore,        // the next frame is not complete yet
        ForeignProtocol, // the stream starts AA 01: the other protocol of the same port
        Garbled,         // the stream is no frame of this protocol
    };

    void append(const char* bytes, qsizetype size);
    // The next packet, when the stream holds a whole frame.
    Status next(QByteArray& packet);
    // Bytes received but not taken yet.
    qsizetype pending() const { return buffer_.size() - start_; }

private:
    QByteArray buffer_;
    qsizetype start_ = 0;
};

} // namespace terminal::network
