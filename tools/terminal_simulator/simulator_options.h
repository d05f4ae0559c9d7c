#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace simulator {

// Faults the simulator can show, for tests of the client.
struct FaultOptions {
    double dropShare = 0;                    // share of UDP packets lost, each way
    double duplicateShare = 0;               // share of UDP packets that arrive twice, each way
    double corruptShare = 0;                 // share of packets sent with a wrong checksum
    quint32 seed = 1;                        // of the random choices above and of the garbage bytes
    int delayMs = 0;                         // wait before each packet sent
    std::optional<qint64> stopAfterBytes;    // then nothing more is sent
    std::optional<qint64> closeAfterBytes;   // then TCP links are closed (UDP: nothing sent)
    std::optional<qint64> garbageAfterBytes; // then random bytes are sent instead
    qint64 shortTransferBytes = 0;           // the data sets sent lack their last bytes
    bool foreignProtocol = false;            // every request answered in another protocol
    bool noBufferedRead = false;             // firmware without the buffered read
    int idleTimeoutMs = 8000;                // an idle TCP link is dropped (0: never)
};

struct SimulatorOptions {
    QString imageFile;
    QString address = QStringLiteral("127.0.0.1");
    quint16 port = 4370; // 0: a free port, shown in the ready line
    int recordSize = 40;
    int userRecordSize = 28;
    std::optional<quint32> commKey;
    bool tcp = true;
    bool udp = true;
    FaultOptions faults;
};

struct CommandLine {
    bool help = false;
    SimulatorOptions options;
};

// The options of the command line (without the program name); throws platform::InputError
// naming the option that is wrong.
CommandLine ParseCommandLine(const QStringList& arguments);

// What --help prints.
QString HelpText();

} // namespace simulator
