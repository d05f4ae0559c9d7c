#pragma once

#include "db/date_time.h"

#include <QString>

namespace terminal {

// The date text of a terminal record: "%2d/%2d/%4d %2d:%2d:%2d" filled with day, month,
// year, hour, minute and second, each number right-aligned in its width with blanks.
QString DateText(qint32 day, qint32 month, qint32 year, qint32 hour, qint32 minute, qint32 second);

// The date text read back, day first, blanks before a number skipped. Throws InputError for a
// text that is no valid date and time (a day, month, hour, minute or second out of range).
db::DateTime ReadDateText(const QString& text);

} // namespace terminal
