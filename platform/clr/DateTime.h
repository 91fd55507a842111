#pragma once
// A calendar date and time to the millisecond, with no time zone attached.

#include <compare>
#include <string>

#include "platform/clr/Object.h"

namespace System {

class DateTime {
public:
    DateTime() = default;  // 0001-01-01 00:00:00.000
    // Raises ArgumentOutOfRangeException for a date that does not exist.
    DateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int millisecond = 0);

    int Year() const { return m_year; }
    int Month() const { return m_month; }
    int Day() const { return m_day; }
    int Hour() const { return m_hour; }
    int Minute() const { return m_minute; }
    int Second() const { return m_second; }
    int Millisecond() const { return m_millisecond; }

    // ISO 8601, "2008-03-01T12:34:56.789" (milliseconds only when nonzero).
    std::string ToIsoString() const;
    auto operator<=>(const DateTime&) const = default;

private:
    int m_year = 1, m_month = 1, m_day = 1, m_hour = 0, m_minute = 0, m_second = 0, m_millisecond = 0;
};

template <> struct TypeName<DateTime> { static std::string value() { return "System.DateTime"; } };

} // namespace System
