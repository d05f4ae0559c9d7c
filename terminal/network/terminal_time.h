#pragma once

#include <QtGlobal>

namespace terminal::network {

// A moment as the terminal counts it: every month has 31 days and every year 372, seconds
// since the start of 2000:
//   ((Y mod 100) * 372 + (M - 1) * 31 + (D - 1)) * 86400 + (h * 60 + m) * 60 + s
struct TerminalTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const TerminalTime&, const TerminalTime&) = default;
};

// The encoded value; the fields must be in range (years 2000 to 2099).
quint32 EncodeTerminalTime(const TerminalTime& time);

// The moment of an encoded value, by successive division: only that keeps the last days of
// December in their own year, as every year counts 372 days here, not 365.
TerminalTime DecodeTerminalTime(quint32 value);

// Whether the moment can be encoded: years 2000 to 2099, months 1 to 12, days 1 to 31, hours
// 0 to 23, minutes and seconds 0 to 59.
bool IsEncodableTerminalTime(const TerminalTime& time);

} // namespace terminal::network
