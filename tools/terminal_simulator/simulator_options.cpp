#include "simulator_options.h"

#include "platform/errors.h"

#include <limits>

namespace simulator {

namespace {

[[noreturn]] void wrong(const QString& what) {
    throw platform::InputError(what);
}

class ArgumentReader {
public:
    explicit ArgumentReader(const QStringList& arguments) : arguments_(arguments) {}

    bool atEnd() const { return next_ >= arguments_.size(); }
    QString take() { return arguments_.at(next_++); }
    QString valueOf(const QString& option) {
        if (atEnd()) {
            wrong(QStringLiteral("%1 needs a value").arg(option));
        }
        return take();
    }
    qint64 integer(const QString& option, qint64 lowest, qint64 highest) {
        const QString text = valueOf(option);
        bool ok = false;
        const qint64 value = text.toLongLong(&ok, 10);
        if (!ok || value < lowest || value > highest) {
            wrong(QStringLiteral("%1 %2: a whole number from %3 to %4 is expected")
                      .arg(option, text)
                      .arg(lowest)
                      .arg(highest));
        }
        return value;
    }
    double share(const QString& option) {
        const QString text = valueOf(option);
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (!ok || value < 0 || value > 1) {
            wrong(QStringLiteral("%1 %2: a share from 0 to 1 is expected").arg(option, text));
        }
        return value;
    }

private:
    const QStringList& arguments_;
    qsizetype next_ = 0;
};

constexpr qint64 ByteLimit = std::numeric_limits<qint32>::max();

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    SimulatorOptions& options = line.options;
    FaultOptions& faults = options.faults;
    ArgumentReader reader(arguments);
    while (!reader.atEnd()) {
        const QString option = reader.take();
        if (option == u"--help" || option == u"-h") {
            line.help = true;
        } else if (option == u"--image") {
            options.imageFile = reader.valueOf(option);
        } else if (option == u"--address") {
            options.address = reader.valueOf(option);
        } else if (option == u"--port") {
            options.port = static_cast<quint16>(reader.integer(option, 0, 65535));
        } else if (option == u"--record-size") {
            options.recordSize = static_cast<int>(reader.integer(option, 8, 40));
            if (options.recordSize != 40 && options.recordSize != 16 && options.recordSize != 8) {
                wrong(QStringLiteral("--record-size %1: 40, 16 or 8 is expected")
                          .arg(options.recordSize));
            }
        } else if (option == u"--user-record-size") {
            options.userRecordSize = static_cast<int>(reader.integer(option, 28, 72));
            if (options.userRecordSize != 28 && options.userRecordSize != 72) {
                wrong(QStringLiteral("--user-record-size %1: 28 or 72 is expected")
                          .arg(options.userRecordSize));
            }
        } else if (option == u"--comm-key") {
            options.commKey = static_cast<quint32>(reader.integer(option, 0, 0xFFFFFFFFLL));
        } else if (option == u"--tcp-only") {
            options.udp = false;
        } else if (option == u"--udp-only") {
            options.tcp = false;
        } else if (option == u"--drop") {
            faults.dropShare = reader.share(option);
        } else if (option == u"--duplicate") {
            faults.duplicateShare = reader.share(option);
        } else if (option == u"--corrupt-checksums") {
            faults.corruptShare = reader.share(option);
        } else if (option == u"--seed") {
            faults.seed = static_cast<quint32>(reader.integer(option, 0, 0xFFFFFFFFLL));
        } else if (option == u"--delay") {
            faults.delayMs = static_cast<int>(reader.integer(option, 0, 60000));
        } else if (option == u"--stop-after") {
            faults.stopAfterBytes = reader.integer(option, 0, ByteLimit);
        } else if (option == u"--close-after") {
            faults.closeAfterBytes = reader.integer(option, 0, ByteLimit);
        } else if (option == u"--garbage-after") {
            faults.garbageAfterBytes = reader.integer(option, 0, ByteLimit);
        } else if (option == u"--short-transfer") {
            faults.shortTransferBytes = reader.integer(option, 1, ByteLimit);
        } else if (option == u"--foreign-protocol") {
            faults.foreignProtocol = true;
        } else if (option == u"--no-buffered-read") {
            faults.noBufferedRead = true;
        } else if (option == u"--idle-timeout") {
            faults.idleTimeoutMs = static_cast<int>(reader.integer(option, 0, 3600000));
        } else {
            wrong(QStringLiteral("unknown option '%1'").arg(option));
        }
    }
    if (line.help) {
        return line;
    }
    if (options.imageFile.isEmpty()) {
        wrong(QStringLiteral("--image FILE is required"));
    }
    if (!options.tcp && !options.udp) {
        wrong(QStringLiteral("--tcp-only and --udp-only exclude each other"));
    }
    return line;
}

QString HelpText() {
    return QStringLiteral(
        "Usage: terminal-simulator --image FILE [options] [faults]\n"
        "\n"
        "Serves the attendance records of a device image file as an attendance terminal does,\n"
        "over its network protocol on UDP and TCP. Prints one line when it is ready:\n"
        "  terminal-simulator ready on ADDRESS:PORT (tcp+udp)\n"
        "and stops cleanly on SIGINT or SIGTERM.\n"
        "\n"
        "The device image is a UTF-8 text file: a header line\n"
        "  enrolment,mode,year,month,day,hour,minute,second\n"
        "then one record per line; # starts a comment line.\n"
        "\n"
        "Options:\n"
        "  --image FILE          the device image to serve (required)\n"
        "  --address ADDR        the address to listen on (default 127.0.0.1)\n"
        "  --port PORT           the port for both UDP and TCP (default 4370; 0 picks a free\n"
        "                        one, shown in the ready line)\n"
        "  --record-size N       attendance record size: 40 (user id as text, default), 16\n"
        "                        (numeric user id) or 8 (user serial, with a user list)\n"
        "  --user-record-size N  user list record size for 8-byte records: 28 (numeric user\n"
        "                        id, default) or 72 (user id as text)\n"
        "  --comm-key N          communication key (0 to 4294967295): every request but\n"
        "                        authenticate is answered 'unauthorised' until it is proven\n"
        "  --tcp-only            serve TCP only\n"
        "  --udp-only            serve UDP only\n"
        "  --help, -h            show this text\n"
        "\n"
        "Faults:\n"
        "  --drop SHARE          lose this share (0 to 1) of UDP packets, each way\n"
        "  --duplicate SHARE     deliver this share of UDP packets twice, each way\n"
        "  --corrupt-checksums SHARE\n"
        "                        send this share of packets with a wrong checksum\n"
        "  --seed N              seed of the random choices and garbage bytes (default 1)\n"
        "  --delay MS            wait this long before each packet sent\n"
        "  --stop-after BYTES    send nothing more after this many bytes (a TCP frame may be\n"
        "                        cut; the link stays open)\n"
        "  --close-after BYTES   close TCP links after this many bytes sent (UDP: stop)\n"
        "  --garbage-after BYTES send random bytes instead of packets after this many bytes\n"
        "  --short-transfer BYTES\n"
        "                        data sets sent lack their last BYTES bytes, their start still\n"
        "                        announcing the full size\n"
        "  --foreign-protocol    answer every request with a frame of another protocol\n"
        "                        (AA 01 ... 55)\n"
        "  --no-buffered-read    firmware without the buffered read: prepare buffered read\n"
        "                        is answered 'unknown command'\n"
        "  --idle-timeout MS     drop a TCP link idle this long (default 8000; 0: never)\n"
        "\n"
        "Every packet with a wrong checksum is dropped, as a terminal drops it. Bytes count\n"
        "every byte sent, over both transports, TCP frame prefixes included.\n"
        "\n"
        "Exit codes: 0 after a stop by signal or --help; 2 for a wrong command line, a device\n"
        "image that cannot be served, or an address that cannot be listened on.\n");
}

} // namespace simulator
