#include "date_time.h"

#include <QTimeZone>
#include <cmath>

namespace db {

namespace {
constexpr qint64 kMillisecondsPerDay = 86400000;

qint64 dayZero() {
    return QDate(1899, 12, 30).toJulianDay();
}

// The value rounded to the millisecond, as whole days and milliseconds into the day. Before
// day zero the fraction still counts forward from midnight (-1.25 is 29 December 1899 06:00).
void split(double days, qint64& wholeDays, qint64& milliseconds) {
    wholeDays = static_cast<qint64>(std::trunc(days));
    milliseconds = std::llround(std::fabs(days - static_cast<double>(wholeDays)) *
                                static_cast<double>(kMillisecondsPerDay));
    if (milliseconds >= kMillisecondsPerDay) {
        milliseconds -= kMillisecondsPerDay;
        wholeDays += days < 0 ? -1 : 1;
    }
}
} // namespace

DateTime DateTime::FromDateAndTime(QDate date, QTime time) {
    const double wholeDays = static_cast<double>(date.toJulianDay() - dayZero());
    const double fraction =
        static_cast<double>(time.msecsSinceStartOfDay()) / static_cast<double>(kMillisecondsPerDay);
    return DateTime(wholeDays < 0 ? wholeDays - fraction : wholeDays + fraction);
}

DateTime DateTime::FromQDateTime(const QDateTime& value) {
    // An invalid value may still carry a wall-clock reading (a local time that falls into a
    // daylight-saving gap); only its date and time matter here.
    if (!value.date().isValid()) {
        return {};
    }
    return FromDateAndTime(value.date(), value.time().isValid() ? value.time() : QTime(0, 0));
}

DateTime DateTime::FromVariant(const QVariant& value) {
    if (value.isNull() || !value.isValid()) {
        return {};
    }
    if (value.metaType() == QMetaType::fromType<DateTime>()) {
        return value.value<DateTime>();
    }
    if (value.metaType() == QMetaType::fromType<QDate>()) {
        return FromDate(value.toDate());
    }
    if (value.metaType() == QMetaType::fromType<QTime>()) {
        return FromTime(value.toTime());
    }
    return FromQDateTime(value.toDateTime());
}

QDate DateTime::Date() const {
    qint64 wholeDays = 0;
    qint64 milliseconds = 0;
    split(days_, wholeDays, milliseconds);
    return QDate::fromJulianDay(dayZero() + wholeDays);
}

QTime DateTime::Time() const {
    qint64 wholeDays = 0;
    qint64 milliseconds = 0;
    split(days_, wholeDays, milliseconds);
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(milliseconds));
}

QDateTime DateTime::ToQDateTime() const {
    return QDateTime(Date(), Time(), QTimeZone::utc());
}

} // namespace db
