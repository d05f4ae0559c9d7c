#pragma once

#include "terminal/device_image.h"

#include <QDate>

// Device images for the terminal tests: a few records at month and year ends, and larger logs
// that take several transfer chunks.
namespace terminal_images {

using terminal::DeviceRecord;

inline DeviceRecord record(const QString& enrolment, qint32 mode, QDate date, int hour, int minute,
                           int second) {
    return {enrolment, mode, date.year(), date.month(), date.day(), hour, minute, second};
}

// Numeric enrolments only, so every record size can serve them.
inline QList<DeviceRecord> NumericFew() {
    return {
        record(QStringLiteral("1024"), 0, QDate(2024, 3, 15), 7, 45, 12),
        record(QStringLiteral("7"), 1, QDate(2023, 12, 31), 23, 59, 59),
        record(QStringLiteral("7"), 0, QDate(2024, 1, 1), 0, 0, 0),
        record(QStringLiteral("2147483647"), 2, QDate(2024, 2, 29), 12, 30, 5),
        record(QStringLiteral("31"), 4, QDate(2024, 1, 31), 8, 0, 1),
        record(QStringLiteral("31"), 5, QDate(2099, 12, 31), 23, 59, 58),
        record(QStringLiteral("0"), 3, QDate(2000, 1, 1), 0, 0, 0),
        record(QStringLiteral("1024"), 1, QDate(2024, 4, 30), 17, 5, 9),
    };
}

// Enrolments as text, which only 40-byte records (or 72-byte user records) hold.
inline QList<DeviceRecord> TextFew() {
    return {
        record(QStringLiteral("A-17"), 0, QDate(2024, 12, 31), 6, 59, 0),
        record(QStringLiteral("1024"), 1, QDate(2025, 1, 1), 18, 0, 30),
        record(QString::fromUtf8("\xc3\x84rzt 5"), 2, QDate(2024, 6, 30), 12, 12, 12),
        record(QStringLiteral("123456789012345678901234"), 3, QDate(2024, 7, 31), 9, 1, 2),
    };
}

// count records of 150 numeric users, a day every 10 records from the end of 2023 on.
inline QList<DeviceRecord> NumericMany(int count) {
    QList<DeviceRecord> records;
    records.reserve(count);
    for (int index = 0; index < count; ++index) {
        records.append(record(QString::number(100 + index % 150), index % 6,
                              QDate(2023, 12, 29).addDays(index / 10), index % 24, (index * 7) % 60,
                              (index * 13) % 60));
    }
    return records;
}

} // namespace terminal_images
