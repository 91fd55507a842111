#include "platform/clr/DateTime.h"

#include <cstdio>

#include "platform/clr/Exceptions.h"

namespace System {

namespace {
bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int daysIn(int y, int m) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return kDays[m - 1] + (m == 2 && isLeap(y) ? 1 : 0);
}
} // namespace

DateTime::DateTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysIn(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        throw ArgumentOutOfRangeException("Year, Month, Day, Hour, Minute, Second or Millisecond "
                                          "parameters describe an un-representable DateTime.");
    m_year = year;
    m_month = month;
    m_day = day;
    m_hour = hour;
    m_minute = minute;
    m_second = second;
    m_millisecond = millisecond;
}

std::string DateTime::ToIsoString() const {
    char buf[40];
    int n = std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", m_year, m_month, m_day, m_hour,
                          m_minute, m_second);
    if (m_millisecond) n += std::snprintf(buf + n, sizeof buf - n, ".%03d", m_millisecond);
    return std::string(buf, static_cast<size_t>(n));
}

} // namespace System
