#pragma once

#include <QList>
#include <QString>

namespace terminal {

// One attendance record as a terminal holds it.
struct DeviceRecord {
    QString enrolment; // the user id as text
    qint32 mode = 0;   // the in/out state
    qint32 year = 0;
    qint32 month = 0;
    qint32 day = 0;
    qint32 hour = 0;
    qint32 minute = 0;
    qint32 second = 0;
};

// A device image: the attendance records of a terminal, in a plain UTF-8 text file.
//
//   # lines starting with # are comments; blank lines are ignored
//   enrolment,mode,year,month,day,hour,minute,second
//   1024,0,2024,3,15,7,45,12
//
// The header line is required; then one record per line, every field a decimal integer but
// the enrolment, which is text (as the terminal's text fetches deliver it). A malformed line
// is an InputError naming the file and the line number.
QList<DeviceRecord> ReadDeviceImage(const QString& fileName);
QList<DeviceRecord> ParseDeviceImage(const QString& text, const QString& fileName);

// The image text for records, as ReadDeviceImage reads it back.
QString FormatDeviceImage(const QList<DeviceRecord>& records);

} // namespace terminal
