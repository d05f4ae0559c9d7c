#pragma once

#include "terminal_time.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace terminal::network {

// One attendance record, as the fetch operations deliver it.
struct LogRecord {
    QString enrolment;       // the user id as text
    quint8 verification = 0; // 0 password, 1 fingerprint, 2 card, 15 face
    quint8 state = 0;        // the in/out state
    TerminalTime time;
    quint32 workCode = 0;
};

// The attendance records of one download, kept as the terminal sent them and decoded one at a
// time, so a large log costs little more than its own bytes.
//
// Record sizes: 40 bytes (user id as text), 16 bytes (numeric user id) and 8 bytes (the user's
// serial, turned into the user id with the terminal's user list).
class AttendanceLog {
public:
    // The records of a whole data set that holds recordCount of them; throws TerminalError when
    // its size does not divide into records of a known size. source names the terminal.
    AttendanceLog(QByteArray dataSet, quint32 recordCount, QString source);

    int recordSize() const { return recordSize_; }
    bool needsUserList() const { return recordSize_ == SerialRecordSize; }
    // Takes the user list (a whole data set of userCount users of 28 or 72 bytes) that turns
    // the serials of 8-byte records into user ids; throws TerminalError when it is malformed.
    void setUserList(const QByteArray& dataSet, quint32 userCount);

    qsizetype size() const { return count_; }
    // Throws TerminalError for an 8-byte record whose serial the user list does not hold.
    LogRecord record(qsizetype index) const;

    static constexpr int TextRecordSize = 40;
    static constexpr int NumericRecordSize = 16;
    static constexpr int SerialRecordSize = 8;

private:
    [[noreturn]] void fail(const QString& what) const;

    QByteArray data_;
    int recordSize_ = 0;
    qsizetype count_ = 0;
    QHash<quint16, QString> users_;
    QString source_;
};

// The enrolment as a number: only a plain number (decimal digits) from 0 to 2147483647 is one;
// anything else is a TerminalError naming the enrolment.
qint32 NumericEnrolment(const QString& enrolment);

} // namespace terminal::network
