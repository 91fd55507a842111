#include "platform/db/TimestampText.h"

#include <cstdio>

namespace tesk::db {

bool parseTimestamp(std::string_view text, TIMESTAMP_STRUCT& out) {
    size_t i = 0;
    auto number = [&](size_t digits, int& value) {
        if (i + digits > text.size()) return false;
        value = 0;
        for (size_t k = 0; k < digits; ++k) {
            const char c = text[i + k];
            if (c < '0' || c > '9') return false;
            value = value * 10 + (c - '0');
        }
        i += digits;
        return true;
    };
    auto expect = [&](char c) { return i < text.size() && text[i++] == c; };
    int y, mo, d, h = 0, mi = 0, s = 0;
    if (!number(4, y) || !expect('-') || !number(2, mo) || !expect('-') || !number(2, d)) return false;
    unsigned fraction = 0;
    if (i < text.size() && (text[i] == ' ' || text[i] == 'T')) {
        ++i;
        if (!number(2, h) || !expect(':') || !number(2, mi) || !expect(':') || !number(2, s)) return false;
        if (i < text.size() && text[i] == '.') {
            ++i;
            unsigned scale = 100000000;
            for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
                fraction += static_cast<unsigned>(text[i] - '0') * scale;
                scale /= 10;
            }
        }
    }
    if (i != text.size() || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60)
        return false;
    out = MakeTimestamp(y, mo, d, h, mi, s, fraction);
    return true;
}

std::string formatTimestamp(const TIMESTAMP_STRUCT& ts) {
    char buf[48];
    int n = std::snprintf(buf, sizeof buf, "%04d-%02u-%02u %02u:%02u:%02u", ts.year, ts.month, ts.day,
                          ts.hour, ts.minute, ts.second);
    if (ts.fraction % 1000000 == 0 && ts.fraction != 0)
        n += std::snprintf(buf + n, sizeof buf - n, ".%03u", ts.fraction / 1000000);
    else if (ts.fraction != 0)
        n += std::snprintf(buf + n, sizeof buf - n, ".%09u", static_cast<unsigned>(ts.fraction));
    return std::string(buf, static_cast<size_t>(n));
}

} // namespace tesk::db
