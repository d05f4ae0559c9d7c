#pragma once

#include <QObject>

class QSocketNotifier;

namespace simulator {

// Ends the application's event loop on SIGINT or SIGTERM. The signal handler only writes a
// byte to a pipe; the loop reads it and quits, so the stop happens between two events.
class StopSignals : public QObject {
    Q_OBJECT

public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace simulator
