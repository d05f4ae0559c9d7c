#include "fault_injector.h"

#include "terminal/network/tcp_frame.h"

#include <QThread>

namespace simulator {

FaultInjector::FaultInjector(const FaultOptions& faults) : faults_(faults), random_(faults.seed) {}

bool FaultInjector::chance(double share) {
    if (share <= 0) {
        return false;
    }
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < share;
}

void FaultInjector::delay() const {
    if (faults_.delayMs > 0) {
        QThread::msleep(static_cast<unsigned long>(faults_.delayMs));
    }
}

QByteArray FaultInjector::corrupted(QByteArray packet) {
    if (packet.size() >= 4 && chance(faults_.corruptShare)) {
        packet[2] = static_cast<char>(packet.at(2) ^ 0x5A);
    }
    return packet;
}

qsizetype FaultInjector::budget(qsizetype size) const {
    qint64 limit = std::numeric_limits<qint64>::max();
    if (faults_.stopAfterBytes) {
        limit = std::min(limit, *faults_.stopAfterBytes);
    }
    if (faults_.closeAfterBytes) {
        limit = std::min(limit, *faults_.closeAfterBytes);
    }
    return static_cast<qsizetype>(std::clamp<qint64>(limit - sent_, 0, size));
}

void FaultInjector::garble(QByteArray& bytes) {
    if (!faults_.garbageAfterBytes) {
        return;
    }
    const qint64 clean = std::max<qint64>(0, *faults_.garbageAfterBytes - sent_);
    for (qint64 at = clean; at < bytes.size(); ++at) {
        bytes[static_cast<qsizetype>(at)] = static_cast<char>(random_() & 0xFFU);
    }
}

int FaultInjector::incomingCopies() {
    if (chance(faults_.dropShare)) {
        return 0;
    }
    return chance(faults_.duplicateShare) ? 2 : 1;
}

QList<QByteArray> FaultInjector::outgoingDatagrams(QByteArray packet) {
    delay();
    packet = corrupted(std::move(packet));
    if (budget(packet.size()) < packet.size()) {
        sent_ = std::max<qint64>(sent_, faults_.stopAfterBytes.value_or(0));
        sent_ = std::max<qint64>(sent_, faults_.closeAfterBytes.value_or(0));
        return {};
    }
    garble(packet);
    sent_ += packet.size();
    if (chance(faults_.dropShare)) {
        return {};
    }
    if (chance(faults_.duplicateShare)) {
        return {packet, packet};
    }
    return {packet};
}

FaultInjector::StreamBytes FaultInjector::outgoingStream(const QByteArray& packet) {
    delay();
    QByteArray frame = terminal::network::FrameTcpPacket(corrupted(packet));
    const qsizetype allowed = budget(frame.size());
    const bool cut = allowed < frame.size();
    frame.truncate(allowed);
    garble(frame);
    sent_ += frame.size();
    return {frame, cut && faults_.closeAfterBytes && sent_ >= *faults_.closeAfterBytes};
}

QByteArray FaultInjector::ForeignFrame() {
    return QByteArray::fromHex("aa0100000000000055");
}

} // namespace simulator
