#include "date_text.h"

#include "platform/errors.h"

#include <QRegularExpression>

namespace terminal {

QString DateText(qint32 day, qint32 month, qint32 year, qint32 hour, qint32 minute, qint32 second) {
    const auto field = [](qint32 value, int width) {
        return QStringLiteral("%1").arg(value, width, 10, QLatin1Char(' '));
    };
    return field(day, 2) + QLatin1Char('/') + field(month, 2) + QLatin1Char('/') + field(year, 4) +
           QLatin1Char(' ') + field(hour, 2) + QLatin1Char(':') + field(minute, 2) +
           QLatin1Char(':') + field(second, 2);
}

db::DateTime ReadDateText(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^ *(-?\\d+)/ *(-?\\d+)/ *(-?\\d+) +(-?\\d+): *(-?\\d+): *(-?\\d+)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    bool valid = match.hasMatch();
    QDate date;
    QTime time;
    if (valid) {
        const auto number = [&match](int group) {
            bool ok = false;
            const int value = match.captured(group).toInt(&ok);
            return ok ? value : -1;
        };
        const int year = number(3);
        date = QDate(year, number(2), number(1));
        time = QTime(number(4), number(5), number(6));
        valid = year >= 1 && year <= 9999 && date.isValid() && time.isValid();
    }
    if (!valid) {
        throw platform::InputError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    }
    return db::DateTime::FromDateAndTime(date, time);
}

} // namespace terminal
