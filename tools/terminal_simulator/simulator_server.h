#pragma once

#include "fault_injector.h"
#include "simulated_device.h"
#include "simulator_options.h"

#include <QObject>
#include <QTcpServer>
#include <QUdpSocket>

namespace simulator {

// The simulated terminal on the network: UDP datagrams and TCP links on one address and port,
// each request handed to the device and its answer sent back through the fault injector.
class SimulatorServer : public QObject {
    Q_OBJECT

public:
    SimulatorServer(const SimulatorOptions& options, SimulatedDevice& device,
                    FaultInjector& faults);

    // Starts listening; throws platform::InputError when the address or port cannot be used.
    void start();
    // "ADDRESS:PORT (tcp+udp)", once started.
    QString endpoint() const;

private:
    void acceptLinks();
    void readDatagrams();
    void answerDatagram(const QByteArray& datagram, const QHostAddress& sender, quint16 senderPort);
    void serveLink(QTcpSocket* socket);

    SimulatorOptions options_;
    SimulatedDevice& device_;
    FaultInjector& faults_;
    QTcpServer tcp_;
    QUdpSocket udp_;
    quint16 port_ = 0;
    DeviceSession udpSession_;
};

} // namespace simulator
