#pragma once

#include "served_log.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace simulator {

struct DeviceSettings {
    std::optional<quint32> commKey;
    bool bufferedRead = true;
    qint64 shortTransferBytes = 0; // data sets sent lack their last bytes
};

// One client's session with the device: its id, what it has proven, the reply ids it used,
// the copy of the last reply and the data prepared for the buffered read.
struct DeviceSession {
    QString peer; // who opened it (UDP sender), so a repeated connect is told from a new one
    bool open = false;
    quint16 id = 0;
    bool authenticated = false;
    std::optional<quint16> lastReplyId;
    quint16 lastCommand = 0;
    QList<QByteArray> lastReply;
    std::optional<QByteArray> prepared;
};

// What the device sends for one request.
struct DeviceAnswer {
    QList<QByteArray> packets; // encoded, in order; none when the request is ignored
    bool endLink = false;      // the session ended (exit)
};

// The terminal's side of the protocol, without the network: requests in, reply packets out.
//
// - A packet with a wrong checksum, or shorter than a header, is dropped.
// - Connect (any reply id) opens a session; with a communication key the reply, like the reply
//   to every other request but authenticate, is "unauthorised" until the key is proven.
// - A request outside the open session (wrong session id) is answered "unauthorised".
// - A request that repeats the previous reply id is answered from the copy of the last reply,
//   without running again (of a transfer only its closing packet is kept); a request with a
//   lower reply id is ignored, except after 65535.
// - Transfers: up to 1,024 bytes in one data packet; more as prepare data, data packets (1,024
//   bytes each over UDP, one packet over TCP; their general field counts 0, 1, 2, ...) and OK.
// - Requests it does not know are answered "unknown command".
class SimulatedDevice {
public:
    SimulatedDevice(ServedLog log, DeviceSettings settings);

    DeviceAnswer handle(DeviceSession& session, const QByteArray& request, bool stream);

    bool enabled() const { return enabled_; }
    quint32 recordCount() const { return log_.recordCount; }

private:
    DeviceAnswer run(DeviceSession& session, quint16 command, quint16 replyId,
                     const QByteArray& data, bool stream);
    QByteArray reply(const DeviceSession& session, quint16 code, quint16 replyId,
                     const QByteArray& data = {}) const;
    QList<QByteArray> transfer(const DeviceSession& session, quint16 replyId,
                               const QByteArray& bytes, bool announce, bool stream) const;
    QByteArray served(const QByteArray& dataSet) const;
    QByteArray freeSizes() const;

    ServedLog log_;
    DeviceSettings settings_;
    bool enabled_ = true;
    quint16 nextSessionId_ = 0x5A31;
    qint64 clockOffsetSeconds_ = 0;
};

} // namespace simulator
