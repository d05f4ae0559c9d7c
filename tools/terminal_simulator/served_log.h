#pragma once

#include "terminal/device_image.h"

#include <QByteArray>

namespace simulator {

// What the simulated terminal holds, as its data sets (a 32-bit count of record bytes, then the
// records) in the record sizes it serves.
struct ServedLog {
    QByteArray attendance;
    QByteArray users; // the user list of 8-byte records; an empty set for the other sizes
    quint32 recordCount = 0;
    quint32 userCount = 0;
};

// The data sets of the device image's records in attendance records of recordSize bytes (40,
// 16 or 8) and, for 8, user records of userRecordSize bytes (28 or 72). Users get serials 1,
// 2, ... in the order they first appear. Throws platform::InputError, naming the image and the
// record, for a record these sizes cannot hold: a moment outside 2000 to 2099 or out of range,
// a mode above 255, an enrolment longer than 24 bytes, or, where the size holds a number, an
// enrolment that is not a number from 0 to 4294967295.
ServedLog BuildServedLog(const QList<terminal::DeviceRecord>& records, int recordSize,
                         int userRecordSize, const QString& imageFile);

// The same log with its attendance records removed.
ServedLog ClearedLog(const ServedLog& log);

} // namespace simulator
