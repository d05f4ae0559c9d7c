#pragma once

#include <QDate>
#include <QDateTime>
#include <QMetaType>
#include <QTime>
#include <QVariant>

namespace db {

// A moment as the school database's programs count it: days since 30 December 1899 00:00,
// the time of day being the fraction. 0 stands for no value. Every conversion goes through
// calendar fields, never through the machine's time zone, so a wall-clock reading is never
// shifted (daylight-saving changes included).
class DateTime {
public:
    constexpr DateTime() = default;
    constexpr explicit DateTime(double days) : days_(days) {}

    static DateTime FromDateAndTime(QDate date, QTime time);
    static DateTime FromDate(QDate date) { return FromDateAndTime(date, QTime(0, 0)); }
    // A time of day alone: a value on day zero.
    static DateTime FromTime(QTime time) { return FromDateAndTime(QDate(1899, 12, 30), time); }
    // Reads the wall-clock date and time of a toolkit value; an invalid or null value is 0.
    static DateTime FromQDateTime(const QDateTime& value);
    // A column value: null (or an empty value) reads as 0.
    static DateTime FromVariant(const QVariant& value);

    double Days() const { return days_; }
    bool IsZero() const { return days_ == 0.0; }

    // The calendar date, and the time of day rounded to the millisecond.
    QDate Date() const;
    QTime Time() const;
    // The date part alone, as a value.
    DateTime DatePart() const { return FromDate(Date()); }
    // A toolkit value that carries the same wall-clock reading (in UTC, which has no
    // daylight-saving gaps, so the reading is kept as it is).
    QDateTime ToQDateTime() const;

    friend bool operator==(DateTime a, DateTime b) { return a.days_ == b.days_; }
    friend auto operator<=>(DateTime a, DateTime b) { return a.days_ <=> b.days_; }

private:
    double days_ = 0.0;
};

} // namespace db

Q_DECLARE_METATYPE(db::DateTime)
