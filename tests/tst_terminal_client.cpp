// The network terminal client against the terminal simulator, both for real: a simulator
// process per case, on a free loopback port, serving a device image file.

#include "platform/errors.h"
#include "simulator_process.h"
#include "terminal/device_image.h"
#include "terminal/network/connect_error.h"
#include "terminal/network/network_terminal.h"
#include "terminal_test_images.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>
#include <memory>

using terminal::DeviceRecord;
using terminal::NetworkTerminal;
using terminal::TerminalOptions;
using terminal::TerminalTransport;

namespace {

using namespace std::chrono_literals;

// Every case ends well within this, whatever the terminal does.
constexpr qint64 BoundMs = 10000;

enum class Fetch { Text, Face, Numeric };

TerminalOptions quickOptions(TerminalTransport transport) {
    TerminalOptions options;
    options.transport = transport;
    options.connectTimeout = 500ms;
    options.replyTimeout = 500ms;
    options.closeTimeout = 300ms;
    return options;
}

TerminalTransport transportNamed(const QString& name) {
    if (name == u"tcp") {
        return TerminalTransport::Tcp;
    }
    return name == u"udp" ? TerminalTransport::Udp : TerminalTransport::Auto;
}

// Fetches every record the way the download does; the numeric fetch gives no seconds.
QList<DeviceRecord> fetchAll(NetworkTerminal& terminal, Fetch fetch) {
    QList<DeviceRecord> records;
    for (;;) {
        DeviceRecord r;
        qint32 a = 0;
        qint32 b = 0;
        qint32 c = 0;
        QString d;
        terminal::TerminalBool more = terminal::TerminalFalse;
        if (fetch == Fetch::Text) {
            more = terminal.NextTextLogRecord(1, r.enrolment, a, r.mode, r.year, r.month, r.day,
                                              r.hour, r.minute, r.second, b);
        } else if (fetch == Fetch::Face) {
            more = terminal.NextFaceLogRecord(1, r.enrolment, a, r.mode, r.year, r.month, r.day,
                                              r.hour, r.minute, r.second, b, c, d);
        } else {
            qint32 enrolment = -1;
            more = terminal.NextNumericLogRecord(1, a, enrolment, b, c, r.mode, r.year, r.month,
                                                 r.day, r.hour, r.minute);
            r.enrolment = QString::number(enrolment);
        }
        if (!terminal::IsTrue(more)) {
            return records;
        }
        records.append(r);
    }
}

QList<DeviceRecord> withoutSeconds(QList<DeviceRecord> records) {
    for (DeviceRecord& r : records) {
        r.second = 0;
    }
    return records;
}

} // namespace

class TerminalClientTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    QString writeImage(const QList<DeviceRecord>& records) {
        static int written = 0;
        QString path = folder_.filePath(QStringLiteral("image%1.txt").arg(++written));
        QFile file(path);
        const QByteArray text = terminal::FormatDeviceImage(records).toUtf8();
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            qFatal("cannot write %s", qPrintable(path));
        }
        return path;
    }

    // A simulator serving the records, with the further arguments.
    std::unique_ptr<SimulatorProcess> simulator(const QList<DeviceRecord>& records,
                                                const QStringList& arguments) {
        auto process = std::make_unique<SimulatorProcess>();
        if (!process->start(QStringLiteral(SIMULATOR),
                            QStringList{QStringLiteral("--image"), writeImage(records)} +
                                arguments)) {
            qFatal("simulator: %s", qPrintable(process->error()));
        }
        return process;
    }

private slots:
    void initTestCase() { QVERIFY(folder_.isValid()); }

    void deliversTheRecordsOfTheImage_data() {
        QTest::addColumn<QList<DeviceRecord>>("records");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("transport");
        QTest::addColumn<int>("fetch");

        using namespace terminal_images;
        const auto text = int(Fetch::Text);
        const auto face = int(Fetch::Face);
        const auto numeric = int(Fetch::Numeric);
        const QStringList size16{QStringLiteral("--record-size"), QStringLiteral("16")};
        const QStringList size8{QStringLiteral("--record-size"), QStringLiteral("8")};
        const QStringList size8text = size8 + QStringList{"--user-record-size", "72"};
        const QStringList oneShot{QStringLiteral("--no-buffered-read")};

        QTest::newRow("40 bytes, TCP, few") << NumericFew() << QStringList() << "tcp" << text;
        QTest::newRow("40 bytes, UDP, few") << NumericFew() << QStringList() << "udp" << text;
        QTest::newRow("40 bytes, TCP, text ids") << TextFew() << QStringList() << "tcp" << face;
        QTest::newRow("40 bytes, UDP, text ids") << TextFew() << QStringList() << "udp" << text;
        QTest::newRow("40 bytes, TCP, many")
            << NumericMany(3000) << QStringList() << "tcp" << numeric;
        QTest::newRow("40 bytes, UDP, many") << NumericMany(3000) << QStringList() << "udp" << face;
        QTest::newRow("16 bytes, TCP, many") << NumericMany(3000) << size16 << "tcp" << numeric;
        QTest::newRow("16 bytes, UDP, few") << NumericFew() << size16 << "udp" << text;
        QTest::newRow("16 bytes, UDP, many") << NumericMany(5000) << size16 << "udp" << text;
        QTest::newRow("8 bytes, TCP, few") << NumericFew() << size8 << "tcp" << numeric;
        QTest::newRow("8 bytes, UDP, many") << NumericMany(5000) << size8 << "udp" << text;
        QTest::newRow("8 bytes, 72-byte users, TCP") << TextFew() << size8text << "tcp" << face;
        QTest::newRow("8 bytes, 72-byte users, UDP") << TextFew() << size8text << "udp" << text;
        QTest::newRow("one-shot read, TCP") << NumericMany(3000) << oneShot << "tcp" << text;
        QTest::newRow("one-shot read, UDP") << NumericMany(3000) << oneShot << "udp" << text;
        QTest::newRow("one-shot read, 8 bytes, UDP")
            << NumericMany(700) << oneShot + size8 << "udp" << numeric;
        QTest::newRow("auto finds TCP")
            << NumericFew() << QStringList{"--tcp-only"} << "auto" << text;
        QTest::newRow("auto falls back to UDP")
            << NumericFew() << QStringList{"--udp-only"} << "auto" << text;
        QTest::newRow("communication key, TCP")
            << NumericFew() << QStringList{"--comm-key", "4711"} << "tcp" << text;
        QTest::newRow("communication key, UDP")
            << NumericFew() << QStringList{"--comm-key", "4711"} << "udp" << text;
        QTest::newRow("UDP losing packets")
            << NumericMany(600) << QStringList{"--drop", "0.05"} << "udp" << text;
        QTest::newRow("UDP repeating packets")
            << NumericMany(600) << QStringList{"--duplicate", "0.2"} << "udp" << text;
        QTest::newRow("UDP losing and repeating packets")
            << NumericMany(600)
            << QStringList{"--drop", "0.03", "--duplicate", "0.1", "--seed", "7"} << "udp" << text;
        QTest::newRow("UDP corrupting checksums")
            << NumericMany(600) << QStringList{"--corrupt-checksums", "0.05"} << "udp" << text;
        QTest::newRow("UDP with delays")
            << NumericMany(300) << QStringList{"--delay", "2"} << "udp" << text;
        QTest::newRow("TCP with delays")
            << NumericMany(300) << QStringList{"--delay", "2"} << "tcp" << text;
    }
    void deliversTheRecordsOfTheImage() {
        QFETCH(QList<DeviceRecord>, records);
        QFETCH(QStringList, arguments);
        QFETCH(QString, transport);
        QFETCH(int, fetch);

        auto device = simulator(records, arguments);
        TerminalOptions options = quickOptions(transportNamed(transport));
        if (arguments.contains(QStringLiteral("--comm-key"))) {
            options.commKey = 4711;
        }
        NetworkTerminal terminal(options);
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY2(terminal::IsTrue(terminal.OpenTerminalLink(device->address(), device->port())),
                 qPrintable(terminal.lastErrorText()));
        QVERIFY(terminal::IsTrue(terminal.PrepareLogRead(1)));
        const QList<DeviceRecord> got = fetchAll(terminal, Fetch(fetch));
        const QList<DeviceRecord> expected =
            Fetch(fetch) == Fetch::Numeric ? withoutSeconds(records) : records;
        QCOMPARE(got.size(), expected.size());
        QCOMPARE(terminal::FormatDeviceImage(got), terminal::FormatDeviceImage(expected));
        QVERIFY(terminal::IsTrue(terminal.AfterReadStep1(1)));
        QVERIFY(terminal::IsTrue(terminal.AfterReadStep2(1)));
        QVERIFY(terminal::IsTrue(terminal.SetTerminalActive(1, terminal::TerminalTrue)));
        terminal.CloseTerminalLink();
        QVERIFY2(elapsed.elapsed() < BoundMs, qPrintable(QString::number(elapsed.elapsed())));
    }

    void connectFailsWithItsCode_data() {
        QTest::addColumn<QStringList>("arguments"); // empty: no simulator
        QTest::addColumn<QString>("address");       // empty: the simulator's
        QTest::addColumn<int>("port");              // 0: the simulator's
        QTest::addColumn<QString>("transport");
        QTest::addColumn<qint64>("commKey"); // -1: none
        QTest::addColumn<int>("code");

        QTest::newRow("nothing listens") << QStringList() << "127.0.0.1" << -1 << "auto"
                                         << qint64(-1) << int(terminal::ConnectRefused);
        QTest::newRow("silent terminal") << QStringList{"--stop-after", "0"} << "" << 0 << "auto"
                                         << qint64(-1) << int(terminal::ConnectNoAnswer);
        QTest::newRow("link closed at once")
            << QStringList{"--close-after", "0"} << "" << 0 << "tcp" << qint64(-1)
            << int(terminal::ConnectNoAnswer);
        QTest::newRow("other protocol") << QStringList{"--foreign-protocol"} << "" << 0 << "auto"
                                        << qint64(-1) << int(terminal::ConnectWrongProtocol);
        QTest::newRow("other protocol, UDP")
            << QStringList{"--foreign-protocol"} << "" << 0 << "udp" << qint64(-1)
            << int(terminal::ConnectWrongProtocol);
        QTest::newRow("garbage") << QStringList{"--garbage-after", "0"} << "" << 0 << "auto"
                                 << qint64(-1) << int(terminal::ConnectWrongProtocol);
        QTest::newRow("bad checksums, TCP")
            << QStringList{"--corrupt-checksums", "1"} << "" << 0 << "tcp" << qint64(-1)
            << int(terminal::ConnectWrongProtocol);
        QTest::newRow("bad checksums, UDP")
            << QStringList{"--corrupt-checksums", "1"} << "" << 0 << "udp" << qint64(-1)
            << int(terminal::ConnectNoAnswer);
        QTest::newRow("key missing") << QStringList{"--comm-key", "4711"} << "" << 0 << "auto"
                                     << qint64(-1) << int(terminal::ConnectUnauthorised);
        QTest::newRow("wrong key, TCP") << QStringList{"--comm-key", "4711"} << "" << 0 << "tcp"
                                        << qint64(4712) << int(terminal::ConnectUnauthorised);
        QTest::newRow("wrong key, UDP") << QStringList{"--comm-key", "4711"} << "" << 0 << "udp"
                                        << qint64(0) << int(terminal::ConnectUnauthorised);
        QTest::newRow("TCP asked, UDP served") << QStringList{"--udp-only"} << "" << 0 << "tcp"
                                               << qint64(-1) << int(terminal::ConnectRefused);
        QTest::newRow("host name") << QStringList() << "terminal.example" << 4370 << "auto"
                                   << qint64(-1) << int(terminal::ConnectBadAddress);
        QTest::newRow("port 0") << QStringList() << "127.0.0.1" << 0 << "auto" << qint64(-1)
                                << int(terminal::ConnectBadAddress);
        QTest::newRow("port too large") << QStringList() << "127.0.0.1" << 70000 << "auto"
                                        << qint64(-1) << int(terminal::ConnectBadAddress);
    }
    void connectFailsWithItsCode() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, address);
        QFETCH(int, port);
        QFETCH(QString, transport);
        QFETCH(qint64, commKey);
        QFETCH(int, code);

        std::unique_ptr<SimulatorProcess> device;
        if (!arguments.isEmpty()) {
            device = simulator(terminal_images::NumericFew(), arguments);
            address = device->address();
            port = device->port();
        } else if (port < 0) {
            // A port nobody listens on: one that was free a moment ago.
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            port = probe.serverPort();
        }
        TerminalOptions options = quickOptions(transportNamed(transport));
        if (commKey >= 0) {
            options.commKey = static_cast<quint32>(commKey);
        }
        NetworkTerminal terminal(options);
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY(!terminal::IsTrue(terminal.OpenTerminalLink(address, port)));
        qint32 reported = 0;
        terminal.QueryErrorCode(reported);
        QVERIFY2(reported == code,
                 qPrintable(QStringLiteral("%1: %2").arg(reported).arg(terminal.lastErrorText())));
        QVERIFY(!terminal.lastErrorText().isEmpty());
        QVERIFY2(elapsed.elapsed() < BoundMs, qPrintable(QString::number(elapsed.elapsed())));
        QVERIFY_THROWS_EXCEPTION(platform::TerminalError, terminal.PrepareLogRead(1));
    }

    void failedTransferIsAnError_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("transport");
        QTest::addColumn<QString>("message");

        QTest::newRow("link cut, TCP") << QStringList{"--close-after", "3000"} << "tcp"
                                       << "closed the link";
        QTest::newRow("link cut, UDP") << QStringList{"--close-after", "3000"} << "udp"
                                       << "no more transfer bytes";
        QTest::newRow("terminal stops, TCP") << QStringList{"--stop-after", "3000"} << "tcp"
                                             << "stopped answering";
        QTest::newRow("terminal stops, UDP") << QStringList{"--stop-after", "3000"} << "udp"
                                             << "no more transfer bytes";
        QTest::newRow("short transfer, TCP") << QStringList{"--short-transfer", "10"} << "tcp"
                                             << "incomplete";
        QTest::newRow("short transfer, UDP") << QStringList{"--short-transfer", "10"} << "udp"
                                             << "incomplete";
        QTest::newRow("short one-shot transfer, TCP")
            << QStringList{"--short-transfer", "10", "--no-buffered-read"} << "tcp"
            << "incomplete";
        QTest::newRow("short one-shot transfer, UDP")
            << QStringList{"--short-transfer", "10", "--no-buffered-read"} << "udp"
            << "incomplete";
        QTest::newRow("garbage, TCP") << QStringList{"--garbage-after", "3000"} << "tcp"
                                      << "wrong checksum";
        QTest::newRow("garbage, UDP") << QStringList{"--garbage-after", "3000"} << "udp"
                                      << "no more transfer bytes";
    }
    void failedTransferIsAnError() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, transport);
        QFETCH(QString, message);

        auto device = simulator(terminal_images::NumericMany(2000), arguments);
        NetworkTerminal terminal(quickOptions(transportNamed(transport)));
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY2(terminal::IsTrue(terminal.OpenTerminalLink(device->address(), device->port())),
                 qPrintable(terminal.lastErrorText()));
        try {
            terminal.PrepareLogRead(1);
            QFAIL("the failed transfer was taken");
        } catch (const platform::TerminalError& error) {
            QVERIFY2(error.text().contains(message), qPrintable(error.text()));
        }
        QString enrolment;
        qint32 value = 0;
        QVERIFY(!terminal::IsTrue(terminal.NextTextLogRecord(
            1, enrolment, value, value, value, value, value, value, value, value, value)));
        terminal.CloseTerminalLink();
        QVERIFY2(elapsed.elapsed() < BoundMs, qPrintable(QString::number(elapsed.elapsed())));
    }

    void emptyLogAnswersFalse_data() {
        QTest::addColumn<QString>("transport");
        QTest::newRow("TCP") << "tcp";
        QTest::newRow("UDP") << "udp";
    }
    void emptyLogAnswersFalse() {
        QFETCH(QString, transport);
        auto device = simulator({}, {});
        NetworkTerminal terminal(quickOptions(transportNamed(transport)));
        QVERIFY(terminal::IsTrue(terminal.OpenTerminalLink(device->address(), device->port())));
        QVERIFY(!terminal::IsTrue(terminal.PrepareLogRead(1)));
        QVERIFY(fetchAll(terminal, Fetch::Text).isEmpty());
        terminal.CloseTerminalLink();
    }

    void clearingEmptiesOnlyWhenAsked_data() {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<bool>("clear");
        QTest::addColumn<int>("idleTimeoutMs"); // the terminal drops idle TCP links
        QTest::addColumn<int>("busyMs");        // the loader posting between read and clear
        QTest::newRow("TCP, kept") << "tcp" << false << 0 << 0;
        QTest::newRow("TCP, cleared") << "tcp" << true << 0 << 0;
        QTest::newRow("UDP, kept") << "udp" << false << 0 << 0;
        QTest::newRow("UDP, cleared") << "udp" << true << 0 << 0;
        QTest::newRow("TCP dropped while posting, cleared") << "tcp" << true << 200 << 500;
        QTest::newRow("TCP dropped while posting, kept") << "tcp" << false << 200 << 500;
    }
    void clearingEmptiesOnlyWhenAsked() {
        QFETCH(QString, transport);
        QFETCH(bool, clear);
        QFETCH(int, idleTimeoutMs);
        QFETCH(int, busyMs);

        const QList<DeviceRecord> records = terminal_images::NumericMany(500);
        auto device =
            simulator(records, {QStringLiteral("--idle-timeout"), QString::number(idleTimeoutMs)});
        TerminalOptions options = quickOptions(transportNamed(transport));
        options.clearAfterLoad = clear;
        {
            NetworkTerminal terminal(options);
            QVERIFY(terminal::IsTrue(terminal.OpenTerminalLink(device->address(), device->port())));
            QVERIFY(terminal::IsTrue(terminal.PrepareLogRead(1)));
            QCOMPARE(fetchAll(terminal, Fetch::Text).size(), records.size());
            QThread::msleep(static_cast<unsigned long>(busyMs));
            QVERIFY(terminal::IsTrue(terminal.AfterReadStep1(1)));
            QVERIFY(terminal::IsTrue(terminal.AfterReadStep2(1)));
            QVERIFY(terminal::IsTrue(terminal.SetTerminalActive(1, terminal::TerminalTrue)));
            terminal.CloseTerminalLink();
        }
        NetworkTerminal again(quickOptions(transportNamed(transport)));
        QVERIFY(terminal::IsTrue(again.OpenTerminalLink(device->address(), device->port())));
        if (clear) {
            QVERIFY(!terminal::IsTrue(again.PrepareLogRead(1)));
        } else {
            QVERIFY(terminal::IsTrue(again.PrepareLogRead(1)));
            QCOMPARE(terminal::FormatDeviceImage(fetchAll(again, Fetch::Text)),
                     terminal::FormatDeviceImage(records));
        }
        again.CloseTerminalLink();
    }

    void stepsAfterTheReadNeverHang_data() {
        QTest::addColumn<QString>("transport");
        QTest::newRow("TCP") << "tcp";
        QTest::newRow("UDP") << "udp";
    }
    void stepsAfterTheReadNeverHang() {
        QFETCH(QString, transport);
        auto device = simulator(terminal_images::NumericFew(), {});
        NetworkTerminal terminal(quickOptions(transportNamed(transport)));
        QVERIFY(terminal::IsTrue(terminal.OpenTerminalLink(device->address(), device->port())));
        QVERIFY(terminal::IsTrue(terminal.PrepareLogRead(1)));
        device->kill(); // the terminal is switched off while the records are posted
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY_THROWS_EXCEPTION(platform::TerminalError, terminal.AfterReadStep1(1));
        QVERIFY_THROWS_EXCEPTION(platform::TerminalError, terminal.AfterReadStep2(1));
        terminal.CloseTerminalLink();
        QVERIFY2(elapsed.elapsed() < BoundMs, qPrintable(QString::number(elapsed.elapsed())));
    }

    void numericFetchRefusesWhatIsNoNumber_data() {
        QTest::addColumn<QString>("enrolment");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("letters") << "A-17" << QStringList();
        QTest::newRow("blank inside") << "10 24" << QStringList();
        QTest::newRow("sign") << "-5" << QStringList();
        QTest::newRow("beyond 32 bits, text") << "4294967296" << QStringList();
        QTest::newRow("beyond signed 32 bits, numeric record")
            << "3000000000" << QStringList{"--record-size", "16"};
    }
    void numericFetchRefusesWhatIsNoNumber() {
        QFETCH(QString, enrolment);
        QFETCH(QStringList, arguments);
        auto device = simulator({terminal_images::record(enrolment, 0, QDate(2024, 5, 6), 7, 8, 9)},
                                arguments);
        NetworkTerminal terminal(quickOptions(TerminalTransport::Tcp));
        QVERIFY(terminal::IsTrue(terminal.OpenTerminalLink(device->address(), device->port())));
        QVERIFY(terminal::IsTrue(terminal.PrepareLogRead(1)));
        try {
            fetchAll(terminal, Fetch::Numeric);
            QFAIL("the enrolment was taken for a number");
        } catch (const platform::TerminalError& error) {
            QVERIFY2(error.text().contains(enrolment), qPrintable(error.text()));
        }
        terminal.CloseTerminalLink();
    }
};

QTEST_GUILESS_MAIN(TerminalClientTest)
#include "tst_terminal_client.moc"
