#pragma once

#include "simulator_options.h"

#include <QByteArray>
#include <QList>
#include <random>

namespace simulator {

// Applies the faults of the command line to the traffic: which packets are lost, repeated,
// delayed or corrupted, and what becomes of the bytes past a byte budget. One seeded random
// source makes a run repeatable.
class FaultInjector {
public:
    explicit FaultInjector(const FaultOptions& faults);

    // Incoming UDP datagrams: how often each is handled (0 lost, 1, or 2 repeated).
    int incomingCopies();

    // The datagrams that leave for one packet (none, one, or the same twice).
    QList<QByteArray> outgoingDatagrams(QByteArray packet);

    struct StreamBytes {
        QByteArray bytes;
        bool closeLink = false; // close the link after sending the bytes
    };
    // The bytes that leave on a TCP link for one packet (framed here).
    StreamBytes outgoingStream(const QByteArray& packet);

    // Whether every request is to be answered in the other protocol.
    bool foreignProtocol() const { return faults_.foreignProtocol; }
    // A frame of the other protocol.
    static QByteArray ForeignFrame();

private:
    bool chance(double share);
    QByteArray corrupted(QByteArray packet);
    // How many of size bytes may still leave, and turns bytes past the garbage mark into noise.
    qsizetype budget(qsizetype size) const;
    void garble(QByteArray& bytes);
    void delay() const;

    FaultOptions faults_;
    std::mt19937 random_;
    qint64 sent_ = 0;
};

} // namespace simulator
