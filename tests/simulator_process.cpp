#include "simulator_process.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <csignal>

namespace {

constexpr int StartTimeoutMs = 15000;
constexpr int StopTimeoutMs = 10000;

} // namespace

SimulatorProcess::~SimulatorProcess() {
    kill();
}

bool SimulatorProcess::start(const QString& program, const QStringList& arguments) {
    QStringList all = arguments;
    if (!all.contains(QStringLiteral("--port"))) {
        all << QStringLiteral("--port") << QStringLiteral("0");
    }
    process_.start(program, all);
    if (!process_.waitForStarted(StartTimeoutMs)) {
        error_ = QStringLiteral("%1 did not start: %2").arg(program, process_.errorString());
        return false;
    }
    static const QRegularExpression ready(
        QStringLiteral("^terminal-simulator ready on (\\S+):(\\d+) \\((tcp\\+udp|tcp|udp)\\)$"),
        QRegularExpression::MultilineOption);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < StartTimeoutMs) {
        output_ += process_.readAllStandardOutput();
        const QRegularExpressionMatch match = ready.match(QString::fromUtf8(output_));
        if (match.hasMatch()) {
            address_ = match.captured(1);
            port_ = match.captured(2).toUShort();
            return true;
        }
        if (process_.state() == QProcess::NotRunning) {
            break;
        }
        process_.waitForReadyRead(100);
    }
    error_ = QStringLiteral("no ready line; output: %1; errors: %2")
                 .arg(QString::fromUtf8(output_), QString::fromUtf8(errors()));
    kill();
    return false;
}

int SimulatorProcess::stop(int signal) {
    if (process_.state() == QProcess::NotRunning) {
        return -1;
    }
    ::kill(static_cast<pid_t>(process_.processId()), signal);
    if (!process_.waitForFinished(StopTimeoutMs) || process_.exitStatus() != QProcess::NormalExit) {
        kill();
        return -1;
    }
    return process_.exitCode();
}

void SimulatorProcess::kill() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(StopTimeoutMs);
    }
}

QByteArray SimulatorProcess::output() {
    output_ += process_.readAllStandardOutput();
    return output_;
}

QByteArray SimulatorProcess::errors() {
    return process_.readAllStandardError();
}
