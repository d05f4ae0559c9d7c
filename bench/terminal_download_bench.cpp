// terminal_download_bench: how fast the network terminal client downloads a large log, and how
// much memory it takes for it.
//
// Starts terminal-simulator on a free loopback port with 100,000 records of 40 bytes and no
// faults, then measures over TCP and over UDP the client's whole download (open, prepare, fetch
// every record, close) and the peak memory it adds to the process, compared with the size of
// the data set (100,000 x 40 bytes + 4). Prints one line per transport, with the measured
// values as ratios of their goals (below 1 meets the goal): 2 s over TCP, 5 s over UDP,
// memory below 3 times the data set. Exit code 0 when every goal is met, 1 when one is missed,
// 2 when the measurement cannot be made.

#include "platform/errors.h"
#include "simulator_process.h"
#include "terminal/device_image.h"
#include "terminal/network/network_terminal.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>
#include <optional>

namespace {

constexpr int RecordCount = 100000;
constexpr qint64 DataSetBytes = qint64(RecordCount) * 40 + 4;
constexpr double MemoryGoal = 3.0;

QList<terminal::DeviceRecord> benchRecords() {
    QList<terminal::DeviceRecord> records;
    records.reserve(RecordCount);
    const QDate start(2023, 1, 1);
    for (int index = 0; index < RecordCount; ++index) {
        const QDate day = start.addDays(index / 200);
        records.append({QString::number(1000 + index % 400), index % 6, day.year(), day.month(),
                        day.day(), (index / 10) % 24, index % 60, (index * 7) % 60});
    }
    return records;
}

// A field of /proc/self/status in bytes (its kB value), or nothing.
std::optional<qint64> statusBytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix)) {
            bool ok = false;
            const qint64 kilobytes =
                line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong(&ok);
            return ok ? std::optional<qint64>(kilobytes * 1024) : std::nullopt;
        }
    }
    return std::nullopt;
}

// Resets the process's peak memory to its present use, so the next peak is the download's.
// Memory an earlier download freed goes back to the system first: kept by the allocator, it
// would count as in use before the download and hide what the download takes.
bool resetPeakMemory() {
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1 && clear.flush();
}

bool sameRecord(const terminal::DeviceRecord& a, const terminal::DeviceRecord& b) {
    return a.enrolment == b.enrolment && a.mode == b.mode && a.year == b.year &&
           a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
}

struct Measurement {
    double seconds = 0;
    double memoryRatio = 0;
};

// One whole download over the transport; throws LoaderError when it fails or brings other
// records than the image holds.
Measurement measure(const SimulatorProcess& simulator, terminal::TerminalTransport transport,
                    const QList<terminal::DeviceRecord>& expected) {
    terminal::TerminalOptions options;
    options.transport = transport;
    if (!resetPeakMemory()) {
        throw platform::LoaderError(QStringLiteral("cannot reset the peak memory count"));
    }
    const std::optional<qint64> before = statusBytes("VmRSS");
    QElapsedTimer elapsed;
    elapsed.start();
    {
        terminal::NetworkTerminal terminal(options);
        if (!terminal::IsTrue(terminal.OpenTerminalLink(simulator.address(), simulator.port()))) {
            throw platform::LoaderError(terminal.lastErrorText());
        }
        if (!terminal::IsTrue(terminal.PrepareLogRead(1))) {
            throw platform::LoaderError(QStringLiteral("the simulator has no records"));
        }
        qsizetype count = 0;
        terminal::DeviceRecord r;
        qint32 a = 0;
        qint32 b = 0;
        while (terminal::IsTrue(terminal.NextTextLogRecord(
            1, r.enrolment, a, r.mode, r.year, r.month, r.day, r.hour, r.minute, r.second, b))) {
            if (count >= expected.size() || !sameRecord(r, expected.at(count))) {
                throw platform::LoaderError(
                    QStringLiteral("record %1 differs from the image").arg(count + 1));
            }
            ++count;
        }
        if (count != expected.size()) {
            throw platform::LoaderError(QStringLiteral("%1 records where the image holds %2")
                                            .arg(count)
                                            .arg(expected.size()));
        }
        terminal.CloseTerminalLink();
    }
    Measurement result;
    result.seconds = double(elapsed.nsecsElapsed()) / 1e9;
    const std::optional<qint64> peak = statusBytes("VmHWM");
    if (!before || !peak) {
        throw platform::LoaderError(QStringLiteral("cannot read /proc/self/status"));
    }
    result.memoryRatio = double(*peak - *before) / double(DataSetBytes);
    return result;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const QList<terminal::DeviceRecord> records = benchRecords();
    const QString image = folder.filePath(QStringLiteral("bench-image.txt"));
    QFile file(image);
    const QByteArray text = terminal::FormatDeviceImage(records).toUtf8();
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        std::fprintf(stderr, "terminal_download_bench: cannot write %s\n", qPrintable(image));
        return 2;
    }
    file.close();

    SimulatorProcess simulator;
    if (!simulator.start(QStringLiteral(SIMULATOR),
                         {QStringLiteral("--image"), image, QStringLiteral("--idle-timeout"),
                          QStringLiteral("0")})) {
        std::fprintf(stderr, "terminal_download_bench: %s\n", qPrintable(simulator.error()));
        return 2;
    }
    std::printf("%d records of 40 bytes, data set %lld bytes, simulator on %s:%u\n", RecordCount,
                static_cast<long long>(DataSetBytes), qPrintable(simulator.address()),
                unsigned(simulator.port()));

    struct Goal {
        const char* name;
        terminal::TerminalTransport transport;
        double seconds;
    };
    bool allMet = true;
    for (const Goal goal : {Goal{"TCP", terminal::TerminalTransport::Tcp, 2.0},
                            Goal{"UDP", terminal::TerminalTransport::Udp, 5.0}}) {
        try {
            const Measurement m = measure(simulator, goal.transport, records);
            const double timeShare = m.seconds / goal.seconds;
            const double memoryShare = m.memoryRatio / MemoryGoal;
            allMet = allMet && timeShare < 1 && memoryShare < 1;
            std::printf("%s: %.3f s (goal %.0f s, ratio %.2f); peak extra memory %.2f x the data "
                        "set (goal %.0f x, ratio %.2f)\n",
                        goal.name, m.seconds, goal.seconds, timeShare, m.memoryRatio, MemoryGoal,
                        memoryShare);
        } catch (const platform::LoaderError& error) {
            std::fprintf(stderr, "terminal_download_bench: %s: %s\n", goal.name, error.what());
            return 2;
        }
    }
    std::fflush(stdout);
    return allMet ? 0 : 1;
}
