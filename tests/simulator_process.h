#pragma once

#include <QProcess>
#include <QStringList>

// A terminal-simulator process for a test: started with its arguments on a free port of its
// address (unless --port is among them), ready once it has printed its ready line; stopped by
// SIGTERM, or killed when the object goes while it still runs.
class SimulatorProcess {
public:
    SimulatorProcess() = default;
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;
    ~SimulatorProcess();

    // Starts the program and waits for its ready line; false (with the reason in error()) when
    // it ends or stays silent instead.
    bool start(const QString& program, const QStringList& arguments);

    QString address() const { return address_; }
    quint16 port() const { return port_; }
    QString error() const { return error_; }

    // Sends the signal and waits for the end; the exit code, or -1 when it did not end normally.
    int stop(int signal);
    // Kills the program at once (a terminal that is switched off).
    void kill();

    // What it wrote to standard output and standard error so far.
    QByteArray output();
    QByteArray errors();

private:
    QProcess process_;
    QString address_;
    quint16 port_ = 0;
    QString error_;
    QByteArray output_;
};
