#include "terminal_time.h"

namespace terminal::network {

namespace {

constexpr quint32 SecondsPerDay = 86400;
constexpr quint32 DaysPerMonth = 31;
constexpr quint32 MonthsPerYear = 12;
constexpr int FirstYear = 2000;
constexpr int LastYear = 2099;

} // namespace

quint32 EncodeTerminalTime(const TerminalTime& time) {
    const auto years = static_cast<quint32>(time.year % 100);
    const quint32 days = years * MonthsPerYear * DaysPerMonth +
                         static_cast<quint32>(time.month - 1) * DaysPerMonth +
                         static_cast<quint32>(time.day - 1);
    const auto seconds = static_cast<quint32>((time.hour * 60 + time.minute) * 60 + time.second);
    return days * SecondsPerDay + seconds;
}

TerminalTime DecodeTerminalTime(quint32 value) {
    TerminalTime time;
    time.second = static_cast<int>(value % 60);
    value /= 60;
    time.minute = static_cast<int>(value % 60);
    value /= 60;
    time.hour = static_cast<int>(value % 24);
    value /= 24;
    time.day = static_cast<int>(value % DaysPerMonth) + 1;
    value /= DaysPerMonth;
    time.month = static_cast<int>(value % MonthsPerYear) + 1;
    time.year = FirstYear + static_cast<int>(value / MonthsPerYear);
    return time;
}

bool IsEncodableTerminalTime(const TerminalTime& time) {
    return time.year >= FirstYear && time.year <= LastYear && time.month >= 1 && time.month <= 12 &&
           time.day >= 1 && time.day <= 31 && time.hour >= 0 && time.hour <= 23 &&
           time.minute >= 0 && time.minute <= 59 && time.second >= 0 && time.second <= 59;
}

} // namespace terminal::network
