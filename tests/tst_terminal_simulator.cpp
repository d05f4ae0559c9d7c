// The terminal simulator as a program: its command line, its start-up refusals, its clean stop,
// and the protocol rules it keeps, seen through raw UDP and TCP sockets.

#include "simulator_process.h"
#include "terminal/device_image.h"
#include "terminal/network/byte_order.h"
#include "terminal/network/comm_key.h"
#include "terminal/network/packet.h"
#include "terminal/network/protocol_codes.h"
#include "terminal/network/tcp_frame.h"
#include "terminal_test_images.h"

#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <csignal>
#include <optional>

using namespace terminal::network;

namespace {

constexpr int AnswerWaitMs = 3000;
// How long a request that must stay unanswered is watched.
constexpr int SilenceMs = 300;

// A raw UDP client: sends packets as given and reads what comes back.
class RawUdp {
public:
    RawUdp(const QString& address, quint16 port) : address_(address), port_(port) {
        socket_.bind(QHostAddress(address), 0);
    }

    void send(const Packet& packet) { sendBytes(EncodePacket(packet)); }
    void sendBytes(const QByteArray& bytes) {
        socket_.writeDatagram(bytes, address_, port_);
        socket_.waitForBytesWritten(AnswerWaitMs);
    }
    // The next packet, or nothing within the wait.
    std::optional<Packet> receive(int waitMs = AnswerWaitMs) {
        if (!socket_.hasPendingDatagrams() && !socket_.waitForReadyRead(waitMs)) {
            return std::nullopt;
        }
        QByteArray datagram(static_cast<qsizetype>(socket_.pendingDatagramSize()), '\0');
        socket_.readDatagram(datagram.data(), datagram.size());
        return DecodePacket(datagram);
    }
    // Every packet that arrives until a quiet spell.
    QList<Packet> receiveAll() {
        QList<Packet> packets;
        while (std::optional<Packet> packet = receive(SilenceMs)) {
            packets.append(*packet);
        }
        return packets;
    }

private:
    QUdpSocket socket_;
    QHostAddress address_;
    quint16 port_;
};

} // namespace

class TerminalSimulatorTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QString image_;

    QString writeImage(const QList<terminal::DeviceRecord>& records, const QString& name) {
        QString path = folder_.filePath(name);
        QFile file(path);
        const QByteArray text = terminal::FormatDeviceImage(records).toUtf8();
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            qFatal("cannot write %s", qPrintable(path));
        }
        return path;
    }

    struct Run {
        int exitCode = -1;
        QString output;
        QString errors;
    };
    static Run run(const QStringList& arguments) {
        QProcess program;
        program.start(QStringLiteral(SIMULATOR), arguments);
        if (!program.waitForFinished(AnswerWaitMs * 5) ||
            program.exitStatus() != QProcess::NormalExit) {
            program.kill();
            program.waitForFinished();
            return {};
        }
        return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
                QString::fromUtf8(program.readAllStandardError())};
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        image_ = writeImage(terminal_images::NumericMany(100), QStringLiteral("image.txt"));
    }

    void helpDescribesEveryOption() {
        const Run help = run({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QCOMPARE(help.errors, QString());
        for (const char* option : {"--image",
                                   "--address",
                                   "--port",
                                   "--record-size",
                                   "--user-record-size",
                                   "--comm-key",
                                   "--tcp-only",
                                   "--udp-only",
                                   "--drop",
                                   "--duplicate",
                                   "--corrupt-checksums",
                                   "--seed",
                                   "--delay",
                                   "--stop-after",
                                   "--close-after",
                                   "--garbage-after",
                                   "--short-transfer",
                                   "--foreign-protocol",
                                   "--no-buffered-read",
                                   "--idle-timeout",
                                   "SIGTERM"}) {
            QVERIFY2(help.output.contains(QLatin1String(option)), option);
        }
    }

    void stopsCleanlyOnSignal_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void stopsCleanlyOnSignal() {
        QFETCH(int, signal);
        SimulatorProcess simulator;
        QVERIFY2(simulator.start(QStringLiteral(SIMULATOR), {QStringLiteral("--image"), image_}),
                 qPrintable(simulator.error()));
        QCOMPARE(simulator.stop(signal), 0);
        QVERIFY(simulator.output().contains("terminal-simulator stopped"));
    }

    void refusesWhatItCannotServe_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("text enrolment in 16-byte records")
            << QStringList{"--record-size", "16"} << "record 1 (enrolment 'A-17')";
        QTest::newRow("text enrolment in 28-byte user records")
            << QStringList{"--record-size", "8"} << "record 1 (enrolment 'A-17')";
        QTest::newRow("no image") << QStringList() << "--image FILE is required";
        QTest::newRow("unknown option") << QStringList{"--fast"} << "unknown option '--fast'";
        QTest::newRow("record size 20") << QStringList{"--record-size", "20"} << "40, 16 or 8";
        QTest::newRow("share above 1") << QStringList{"--drop", "1.5"} << "share from 0 to 1";
        QTest::newRow("value missing") << QStringList{"--port"} << "--port needs a value";
        QTest::newRow("both only") << QStringList{"--tcp-only", "--udp-only"} << "exclude";
        QTest::newRow("host name")
            << QStringList{"--address", "localhost"} << "not a numeric network address";
    }
    void refusesWhatItCannotServe() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const QString textImage =
            writeImage(terminal_images::TextFew(), QStringLiteral("text.txt"));
        const bool needsImage = message != u"--image FILE is required";
        const Run refused =
            run(needsImage ? QStringList{"--image", textImage} + arguments : arguments);
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.errors.contains(message), qPrintable(refused.errors));
        QVERIFY(!refused.output.contains(QStringLiteral("ready")));
    }

    void refusesAnImageItCannotRead() {
        const Run refused = run({QStringLiteral("--image"), folder_.filePath("absent.txt")});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.errors.contains(QStringLiteral("absent.txt")), qPrintable(refused.errors));
    }

    void keepsTheReplyIdRules() {
        SimulatorProcess simulator;
        QVERIFY2(simulator.start(QStringLiteral(SIMULATOR), {QStringLiteral("--image"), image_}),
                 qPrintable(simulator.error()));
        RawUdp link(simulator.address(), simulator.port());

        link.send({code::Connect, 0, 0, {}});
        const std::optional<Packet> connected = link.receive();
        QVERIFY(connected.has_value());
        QCOMPARE(connected->code, code::Ok);
        const quint16 session = connected->field;

        // A checksum that does not fit: dropped without an answer.
        QByteArray damaged = EncodePacket({code::GetFreeSizes, session, 1, {}});
        damaged[2] = static_cast<char>(damaged.at(2) ^ 1);
        link.sendBytes(damaged);
        QVERIFY(!link.receive(SilenceMs).has_value());

        // Unknown requests are named so.
        link.send({4242, session, 1, {}});
        std::optional<Packet> reply = link.receive();
        QVERIFY(reply.has_value());
        QCOMPARE(reply->code, code::UnknownCommand);
        QCOMPARE(reply->replyId, quint16(1));

        // Prepare the log and read a chunk: a transfer.
        QByteArray prepare(11, '\0');
        prepare[0] = 1;
        WriteU16(prepare, 1, code::ReadAttendanceLog);
        link.send({code::PrepareBufferedRead, session, 2, prepare});
        reply = link.receive();
        QVERIFY(reply.has_value());
        QCOMPARE(reply->code, code::Ok);
        QCOMPARE(ReadU32(reply->data, 1), quint32(4 + 100 * 40));
        QByteArray chunk;
        AppendU32(chunk, 0);
        AppendU32(chunk, 2048);
        link.send({code::ReadBufferChunk, session, 3, chunk});
        const QList<Packet> transfer = link.receiveAll();
        QCOMPARE(transfer.size(), 4); // prepare data, two data packets, OK
        QCOMPARE(transfer.at(0).code, code::PrepareData);
        QCOMPARE(transfer.at(1).code, code::Data);
        QCOMPARE(transfer.at(1).field, quint16(0));
        QCOMPARE(transfer.at(2).field, quint16(1));
        QCOMPARE(transfer.at(3).code, code::Ok);

        // The same reply id again: the copy of the last reply, no transfer bytes again.
        link.send({code::ReadBufferChunk, session, 3, chunk});
        const QList<Packet> repeated = link.receiveAll();
        QCOMPARE(repeated.size(), 1);
        QCOMPARE(repeated.at(0).code, code::Ok);
        QCOMPARE(repeated.at(0).replyId, quint16(3));

        // A lower reply id is ignored.
        link.send({code::GetFreeSizes, session, 2, {}});
        QVERIFY(!link.receive(SilenceMs).has_value());

        // A read past the end of the prepared data is an error.
        QByteArray beyond;
        AppendU32(beyond, 4000);
        AppendU32(beyond, 100);
        link.send({code::ReadBufferChunk, session, 4, beyond});
        reply = link.receive();
        QVERIFY(reply.has_value());
        QCOMPARE(reply->code, code::Error);

        // Another session id is no session.
        link.send({code::GetFreeSizes, static_cast<quint16>(session + 1), 5, {}});
        reply = link.receive();
        QVERIFY(reply.has_value());
        QCOMPARE(reply->code, code::Unauthorised);

        // After 65535 any reply id goes.
        link.send({code::GetFreeSizes, session, 65535, {}});
        reply = link.receive();
        QVERIFY(reply.has_value());
        QCOMPARE(reply->code, code::Ok);
        QCOMPARE(ReadU32(reply->data, 32), quint32(100));
        link.send({code::GetFreeSizes, session, 0, {}});
        reply = link.receive();
        QVERIFY(reply.has_value());
        QCOMPARE(reply->code, code::Ok);
    }

    void wantsTheCommunicationKey() {
        SimulatorProcess simulator;
        QVERIFY2(simulator.start(QStringLiteral(SIMULATOR),
                                 {QStringLiteral("--image"), image_, QStringLiteral("--comm-key"),
                                  QStringLiteral("654321")}),
                 qPrintable(simulator.error()));
        RawUdp link(simulator.address(), simulator.port());
        link.send({code::Connect, 0, 0, {}});
        std::optional<Packet> reply = link.receive();
        QVERIFY(reply.has_value());
        QCOMPARE(reply->code, code::Unauthorised);
        const quint16 session = reply->field;

        link.send({code::GetFreeSizes, session, 1, {}});
        reply = link.receive();
        QVERIFY(reply.has_value());
        QCOMPARE(reply->code, code::Unauthorised);

        link.send({code::Authenticate, session, 2, AuthenticationData(654320, session)});
        reply = link.receive();
        QVERIFY(reply.has_value());
        QCOMPARE(reply->code, code::Unauthorised);

        link.send({code::Authenticate, session, 3, AuthenticationData(654321, session, 0x77)});
        reply = link.receive();
        QVERIFY(reply.has_value());
        QCOMPARE(reply->code, code::Ok);

        link.send({code::GetFreeSizes, session, 4, {}});
        reply = link.receive();
        QVERIFY(reply.has_value());
        QCOMPARE(reply->code, code::Ok);
    }

    void readsTcpFramesInAnyPieces() {
        SimulatorProcess simulator;
        QVERIFY2(simulator.start(QStringLiteral(SIMULATOR),
                                 {QStringLiteral("--image"), image_, QStringLiteral("--tcp-only")}),
                 qPrintable(simulator.error()));
        QTcpSocket socket;
        socket.connectToHost(simulator.address(), simulator.port());
        QVERIFY(socket.waitForConnected(AnswerWaitMs));
        TcpFrameReader reader;
        const auto nextPacket = [&]() -> std::optional<Packet> {
            QByteArray bytes;
            for (;;) {
                const TcpFrameReader::Status status = reader.next(bytes);
                if (status == TcpFrameReader::Status::Packet) {
                    return DecodePacket(bytes);
                }
                if (status != TcpFrameReader::Status::NeedMore ||
                    !socket.waitForReadyRead(AnswerWaitMs)) {
                    return std::nullopt;
                }
                const QByteArray piece = socket.readAll();
                reader.append(piece.constData(), piece.size());
            }
        };

        // A frame byte by byte.
        const QByteArray connect = FrameTcpPacket(EncodePacket({code::Connect, 0, 0, {}}));
        for (const char byte : connect) {
            socket.write(&byte, 1);
            socket.flush();
            socket.waitForBytesWritten(AnswerWaitMs);
        }
        const std::optional<Packet> connected = nextPacket();
        QVERIFY(connected.has_value());
        QCOMPARE(connected->code, code::Ok);
        const quint16 session = connected->field;

        // Two frames in one write: both answered, in order.
        socket.write(FrameTcpPacket(EncodePacket({code::GetFreeSizes, session, 1, {}})) +
                     FrameTcpPacket(EncodePacket({code::RefreshData, session, 2, {}})));
        socket.waitForBytesWritten(AnswerWaitMs);
        const std::optional<Packet> first = nextPacket();
        const std::optional<Packet> second = nextPacket();
        QVERIFY(first.has_value() && second.has_value());
        QCOMPARE(first->replyId, quint16(1));
        QCOMPARE(ReadU32(first->data, 32), quint32(100));
        QCOMPARE(second->replyId, quint16(2));
        QCOMPARE(second->code, code::Ok);
    }
};

QTEST_GUILESS_MAIN(TerminalSimulatorTest)
#include "tst_terminal_simulator.moc"
