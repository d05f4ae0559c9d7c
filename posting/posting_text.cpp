#include "posting_text.h"

#include "platform/errors.h"

#include <QRegularExpression>

namespace posting {

namespace {

constexpr int kDateLength = 10;
constexpr int kTimeLength = 11;

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

[[noreturn]] void unreadable(const QString& text) {
    throw platform::InputError(
        QStringLiteral("'%1' is not a valid date and time (dd/mm/yyyy hh:mm:ss AM/PM)").arg(text));
}

QDate readDate(const QString& whole, const QString& part) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{2})/(\\d{2})/(\\d{4})$"));
    const QRegularExpressionMatch match = pattern.match(part);
    if (!match.hasMatch()) {
        unreadable(whole);
    }
    const QDate date(match.captured(3).toInt(), match.captured(2).toInt(),
                     match.captured(1).toInt());
    if (!date.isValid()) {
        unreadable(whole);
    }
    return date;
}

QTime readTime(const QString& whole, const QString& part) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{2}):(\\d{2}):(\\d{2}) (AM|PM)$"));
    const QRegularExpressionMatch match = pattern.match(part);
    if (!match.hasMatch()) {
        unreadable(whole);
    }
    const int clockHour = match.captured(1).toInt();
    if (clockHour < 1 || clockHour > 12) {
        unreadable(whole);
    }
    // 12 AM is the hour after midnight, 12 PM the hour after noon.
    const int hour = clockHour % 12 + (match.captured(4) == QLatin1String("PM") ? 12 : 0);
    const QTime time(hour, match.captured(2).toInt(), match.captured(3).toInt());
    if (!time.isValid()) {
        unreadable(whole);
    }
    return time;
}

} // namespace

QString PostingText(db::DateTime moment) {
    const QDate date = moment.Date();
    const QTime time = moment.Time();
    const int clockHour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return twoDigits(date.day()) + QLatin1Char('/') + twoDigits(date.month()) + QLatin1Char('/') +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')) + QLatin1Char(' ') +
           twoDigits(clockHour) + QLatin1Char(':') + twoDigits(time.minute()) + QLatin1Char(':') +
           twoDigits(time.second()) +
           (time.hour() < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM"));
}

db::DateTime ReadPostingDate(const QString& text) {
    return db::DateTime::FromDate(readDate(text, text.left(kDateLength)));
}

db::DateTime ReadPostingTime(const QString& text) {
    return db::DateTime::FromTime(readTime(text, text.right(kTimeLength)));
}

db::DateTime ReadPostingMoment(const QString& text) {
    if (text.size() != kDateLength + 1 + kTimeLength || text.at(kDateLength) != QLatin1Char(' ')) {
        unreadable(text);
    }
    return db::DateTime::FromDateAndTime(readDate(text, text.left(kDateLength)),
                                         readTime(text, text.right(kTimeLength)));
}

} // namespace posting
