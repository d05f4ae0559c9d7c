#include "simulator_server.h"

#include "platform/errors.h"
#include "terminal/network/tcp_frame.h"

#include <QNetworkDatagram>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

namespace simulator {

namespace {

// Ports tried when any free port will do, before giving up.
constexpr int FreePortAttempts = 20;

} // namespace

SimulatorServer::SimulatorServer(const SimulatorOptions& options, SimulatedDevice& device,
                                 FaultInjector& faults)
    : options_(options), device_(device), faults_(faults) {}

void SimulatorServer::start() {
    QHostAddress address;
    if (!address.setAddress(options_.address)) {
        throw platform::InputError(
            QStringLiteral("--address %1: not a numeric network address").arg(options_.address));
    }
    const auto failure = [this](const QString& transport, const QString& reason) {
        return platform::InputError(QStringLiteral("cannot listen on %1:%2 over %3: %4")
                                        .arg(options_.address)
                                        .arg(options_.port)
                                        .arg(transport, reason));
    };
    const int attempts = options_.port == 0 ? FreePortAttempts : 1;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        quint16 port = options_.port;
        if (options_.tcp) {
            if (!tcp_.listen(address, port)) {
                throw failure(QStringLiteral("TCP"), tcp_.errorString());
            }
            port = tcp_.serverPort();
        }
        if (!options_.udp || udp_.bind(address, port)) {
            port_ = options_.udp ? udp_.localPort() : port;
            break;
        }
        // With a free port chosen for TCP, the same UDP port may be taken: try another.
        tcp_.close();
        if (attempt + 1 == attempts) {
            throw failure(QStringLiteral("UDP"), udp_.errorString());
        }
    }
    connect(&tcp_, &QTcpServer::newConnection, this, &SimulatorServer::acceptLinks);
    connect(&udp_, &QUdpSocket::readyRead, this, &SimulatorServer::readDatagrams);
}

QString SimulatorServer::endpoint() const {
    const QString transports = options_.tcp && options_.udp ? QStringLiteral("tcp+udp")
                               : options_.tcp               ? QStringLiteral("tcp")
                                                            : QStringLiteral("udp");
    return QStringLiteral("%1:%2 (%3)").arg(options_.address).arg(port_).arg(transports);
}

void SimulatorServer::readDatagrams() {
    while (udp_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = udp_.receiveDatagram();
        const int copies = faults_.incomingCopies();
        for (int copy = 0; copy < copies; ++copy) {
            answerDatagram(datagram.data(), datagram.senderAddress(),
                           static_cast<quint16>(datagram.senderPort()));
        }
    }
}

void SimulatorServer::answerDatagram(const QByteArray& datagram, const QHostAddress& sender,
                                     quint16 senderPort) {
    QList<QByteArray> packets;
    if (faults_.foreignProtocol()) {
        packets = {FaultInjector::ForeignFrame()};
    } else {
        const QString peer = QStringLiteral("%1:%2").arg(sender.toString()).arg(senderPort);
        if (udpSession_.peer != peer) {
            // Another sender: only a connect of its own gives it a session.
            DeviceSession fresh;
            fresh.peer = peer;
            DeviceAnswer answer = device_.handle(fresh, datagram, false);
            if (fresh.open) {
                udpSession_ = fresh;
            }
            packets = answer.packets;
        } else {
            packets = device_.handle(udpSession_, datagram, false).packets;
        }
    }
    for (const QByteArray& packet : packets) {
        for (const QByteArray& sent : faults_.outgoingDatagrams(packet)) {
            udp_.writeDatagram(sent, sender, senderPort);
        }
    }
}

void SimulatorServer::acceptLinks() {
    while (QTcpSocket* socket = tcp_.nextPendingConnection()) {
        serveLink(socket);
    }
}

void SimulatorServer::serveLink(QTcpSocket* socket) {
    struct Link {
        DeviceSession session;
        terminal::network::TcpFrameReader reader;
        bool closing = false;
    };
    auto link = std::make_shared<Link>();
    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    if (options_.faults.idleTimeoutMs > 0) {
        idle->start(options_.faults.idleTimeoutMs);
    }
    connect(idle, &QTimer::timeout, socket, &QTcpSocket::disconnectFromHost);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);

    const auto send = [this, socket, link](const QByteArray& packet) {
        if (link->closing) {
            return;
        }
        const FaultInjector::StreamBytes out = faults_.outgoingStream(packet);
        socket->write(out.bytes);
        if (out.closeLink) {
            link->closing = true;
            socket->disconnectFromHost();
        }
    };
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, link, idle, send]() {
        const QByteArray bytes = socket->readAll();
        if (link->closing) {
            return;
        }
        if (options_.faults.idleTimeoutMs > 0) {
            idle->start(options_.faults.idleTimeoutMs);
        }
        if (faults_.foreignProtocol()) {
            socket->write(FaultInjector::ForeignFrame());
            return;
        }
        link->reader.append(bytes.constData(), bytes.size());
        QByteArray packet;
        for (;;) {
            const auto status = link->reader.next(packet);
            if (status == terminal::network::TcpFrameReader::Status::NeedMore) {
                return;
            }
            if (status != terminal::network::TcpFrameReader::Status::Packet) {
                // Not this protocol: a terminal hangs up.
                link->closing = true;
                socket->disconnectFromHost();
                return;
            }
            const DeviceAnswer answer = device_.handle(link->session, packet, true);
            for (const QByteArray& reply : answer.packets) {
                send(reply);
            }
            if (answer.endLink && !link->closing) {
                link->closing = true;
                socket->disconnectFromHost();
            }
            if (link->closing) {
                return;
            }
        }
    });
}

} // namespace simulator
