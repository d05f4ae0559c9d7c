#include "simulated_terminal.h"

#include "platform/errors.h"

namespace terminal {

namespace {
// The fields every fetch delivers alike.
void deliver(const DeviceRecord& record, qint32& mode, qint32& year, qint32& month, qint32& day,
             qint32& hour, qint32& minute) {
    mode = record.mode;
    year = record.year;
    month = record.month;
    day = record.day;
    hour = record.hour;
    minute = record.minute;
}
} // namespace

SimulatedTerminal::SimulatedTerminal(QList<DeviceRecord> records) : records_(std::move(records)) {}

void SimulatedTerminal::call(const QString& operation) {
    calls_.append(operation);
}

TerminalBool SimulatedTerminal::OpenTerminalLink(const QString& address, qint32 port) {
    call(QStringLiteral("OpenTerminalLink"));
    address_ = address;
    port_ = port;
    if (faults.connectErrorCode) {
        errorCode_ = *faults.connectErrorCode;
        return TerminalFalse;
    }
    return TerminalTrue;
}

void SimulatedTerminal::QueryErrorCode(qint32& code) {
    call(QStringLiteral("QueryErrorCode"));
    code = errorCode_;
}

TerminalBool SimulatedTerminal::PrepareLogRead(qint32 M) {
    call(QStringLiteral("PrepareLogRead %1").arg(M));
    if (faults.prepareAnswersFalse || records_.isEmpty()) {
        return TerminalFalse;
    }
    prepared_ = true;
    position_ = 0;
    return TerminalTrue;
}

const DeviceRecord* SimulatedTerminal::next(const char* operation, qint32 M) {
    call(QStringLiteral("%1 %2").arg(QLatin1String(operation)).arg(M));
    if (!prepared_ || position_ >= records_.size()) {
        return nullptr;
    }
    if (faults.fetchThrowsAfter && position_ >= *faults.fetchThrowsAfter) {
        throw platform::TerminalError(
            QStringLiteral("The terminal stopped answering after %1 records").arg(position_));
    }
    return &records_.at(position_++);
}

TerminalBool SimulatedTerminal::NextFaceLogRecord(qint32 M, QString& enrolment, qint32& a,
                                                  qint32& mode, qint32& year, qint32& month,
                                                  qint32& day, qint32& hour, qint32& minute,
                                                  qint32& second, qint32& b, qint32& c,
                                                  QString& d) {
    if (!IsTrue(textRecord("NextFaceLogRecord", M, enrolment, a, mode, year, month, day, hour,
                           minute, second, b))) {
        return TerminalFalse;
    }
    c = 0;
    d.clear();
    return TerminalTrue;
}

TerminalBool SimulatedTerminal::NextTextLogRecord(qint32 M, QString& enrolment, qint32& a,
                                                  qint32& mode, qint32& year, qint32& month,
                                                  qint32& day, qint32& hour, qint32& minute,
                                                  qint32& second, qint32& b) {
    return textRecord("NextTextLogRecord", M, enrolment, a, mode, year, month, day, hour, minute,
                      second, b);
}

// The face fetch delivers what the text fetch does, and two outputs more.
TerminalBool SimulatedTerminal::textRecord(const char* operation, qint32 M, QString& enrolment,
                                           qint32& a, qint32& mode, qint32& year, qint32& month,
                                           qint32& day, qint32& hour, qint32& minute,
                                           qint32& second, qint32& b) {
    const DeviceRecord* record = next(operation, M);
    if (record == nullptr) {
        return TerminalFalse;
    }
    enrolment = record->enrolment;
    a = b = 0;
    deliver(*record, mode, year, month, day, hour, minute);
    second = record->second;
    return TerminalTrue;
}

TerminalBool SimulatedTerminal::NextNumericLogRecord(qint32 M, qint32& a, qint32& enrolment,
                                                     qint32& b, qint32& c, qint32& mode,
                                                     qint32& year, qint32& month, qint32& day,
                                                     qint32& hour, qint32& minute) {
    const DeviceRecord* record = next("NextNumericLogRecord", M);
    if (record == nullptr) {
        return TerminalFalse;
    }
    bool numeric = false;
    enrolment = record->enrolment.toInt(&numeric, 10);
    if (!numeric) {
        throw platform::TerminalError(
            QStringLiteral("The user id '%1' is not a number").arg(record->enrolment));
    }
    a = b = c = 0;
    deliver(*record, mode, year, month, day, hour, minute);
    return TerminalTrue;
}

TerminalBool SimulatedTerminal::AfterReadStep1(qint32 M) {
    call(QStringLiteral("AfterReadStep1 %1").arg(M));
    if (faults.afterReadThrows) {
        throw platform::TerminalError(QStringLiteral("The terminal did not free its buffer"));
    }
    return TerminalTrue;
}

TerminalBool SimulatedTerminal::AfterReadStep2(qint32 M) {
    call(QStringLiteral("AfterReadStep2 %1").arg(M));
    return TerminalTrue;
}

TerminalBool SimulatedTerminal::SetTerminalActive(qint32 M, TerminalBool flag) {
    call(QStringLiteral("SetTerminalActive %1 %2").arg(M).arg(flag));
    return TerminalTrue;
}

void SimulatedTerminal::CloseTerminalLink() {
    call(QStringLiteral("CloseTerminalLink"));
}

} // namespace terminal
