#pragma once

#include "db/date_time.h"

#include <QString>

namespace posting {

// The moment of a record as the download hands it to the posting rules:
// "dd/mm/yyyy hh:mm:ss AM/PM", 22 characters, day first, 12-hour clock. The texts are written
// and read by these fixed rules, whatever the machine's own date settings are.
QString PostingText(db::DateTime moment);

// The first 10 characters read as a calendar date (a value without time of day).
db::DateTime ReadPostingDate(const QString& text);
// The last 11 characters ("hh:mm:ss AM") read as a time of day (a value on day zero).
db::DateTime ReadPostingTime(const QString& text);
// The whole text as one value.
db::DateTime ReadPostingMoment(const QString& text);

} // namespace posting
