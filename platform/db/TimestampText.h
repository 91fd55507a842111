#pragma once
// Timestamps kept as text, "YYYY-MM-DD HH:MM:SS.fff".
#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tesk::db {
inline TIMESTAMP_STRUCT MakeTimestamp(int year, int month, int day, int hour, int minute, int second,
                                      uint32_t fraction = 0) {
    TIMESTAMP_STRUCT ts{};
    ts.year = static_cast<SQLSMALLINT>(year);
    ts.month = static_cast<SQLUSMALLINT>(month);
    ts.day = static_cast<SQLUSMALLINT>(day);
    ts.hour = static_cast<SQLUSMALLINT>(hour);
    ts.minute = static_cast<SQLUSMALLINT>(minute);
    ts.second = static_cast<SQLUSMALLINT>(second);
    ts.fraction = static_cast<SQLUINTEGER>(fraction);
    return ts;
}

// Accepts a date alone, a 'T' or blank before the time, and up to nine fraction digits.
bool parseTimestamp(std::string_view text, TIMESTAMP_STRUCT& out);
// Milliseconds are written when the fraction has any; finer parts are kept to nanoseconds.
std::string formatTimestamp(const TIMESTAMP_STRUCT& ts);
}
