#pragma once
// Timestamps kept as text, "YYYY-MM-DD HH:MM:SS.fff".
#include <sql.h>
#include <sqlext.h>

#include <string>
#include <string_view>

namespace tesk::db {
// Accepts a date alone, a 'T' or blank before the time, and up to nine fraction digits.
bool parseTimestamp(std::string_view text, TIMESTAMP_STRUCT& out);
// Milliseconds are written when the fraction has any; finer parts are kept to nanoseconds.
std::string formatTimestamp(const TIMESTAMP_STRUCT& ts);
}
