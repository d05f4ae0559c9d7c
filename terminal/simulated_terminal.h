#pragma once

#include "device_image.h"
#include "terminal_sdk.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace terminal {

// A terminal in memory that answers the ten operations from a list of records (a device
// image). Its faults can be set to see how the download meets a terminal that fails. It
// writes down every operation called, in order.
class SimulatedTerminal : public TerminalSdk {
public:
    explicit SimulatedTerminal(QList<DeviceRecord> records);

    struct Faults {
        std::optional<qint32> connectErrorCode; // the connect answers False with this code
        bool prepareAnswersFalse = false;
        std::optional<int> fetchThrowsAfter; // records delivered before a fetch fails
        bool afterReadThrows = false;
    };
    Faults faults;

    QStringList Calls() const { return calls_; }
    QString ConnectedAddress() const { return address_; }
    qint32 ConnectedPort() const { return port_; }

    TerminalBool OpenTerminalLink(const QString& address, qint32 port) override;
    void QueryErrorCode(qint32& code) override;
    TerminalBool PrepareLogRead(qint32 M) override;
    TerminalBool NextFaceLogRecord(qint32 M, QString& enrolment, qint32& a, qint32& mode,
                                   qint32& year, qint32& month, qint32& day, qint32& hour,
                                   qint32& minute, qint32& second, qint32& b, qint32& c,
                                   QString& d) override;
    TerminalBool NextTextLogRecord(qint32 M, QString& enrolment, qint32& a, qint32& mode,
                                   qint32& year, qint32& month, qint32& day, qint32& hour,
                                   qint32& minute, qint32& second, qint32& b) override;
    TerminalBool NextNumericLogRecord(qint32 M, qint32& a, qint32& enrolment, qint32& b, qint32& c,
                                      qint32& mode, qint32& year, qint32& month, qint32& day,
                                      qint32& hour, qint32& minute) override;
    TerminalBool AfterReadStep1(qint32 M) override;
    TerminalBool AfterReadStep2(qint32 M) override;
    TerminalBool SetTerminalActive(qint32 M, TerminalBool flag) override;
    void CloseTerminalLink() override;

private:
    // The next record, or none at the end; counts deliveries for the fetch fault.
    const DeviceRecord* next(const char* operation, qint32 M);
    TerminalBool textRecord(const char* operation, qint32 M, QString& enrolment, qint32& a,
                            qint32& mode, qint32& year, qint32& month, qint32& day, qint32& hour,
                            qint32& minute, qint32& second, qint32& b);
    void call(const QString& operation);

    QList<DeviceRecord> records_;
    QStringList calls_;
    QString address_;
    qint32 port_ = 0;
    qint32 errorCode_ = 0;
    qsizetype position_ = 0;
    bool prepared_ = false;
};

} // namespace terminal
