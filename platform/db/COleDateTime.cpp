#include "platform/db/COleDateTime.h"

#include <cmath>
#include <cstdint>

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

constexpr int64_t kEpochOffset = 25569;  // 1899-12-30 to 1970-01-01

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

} // namespace

bool DateFromParts(int year, int month, int day, int hour, int minute, int second, DATE& out) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    if (day > kDays[month - 1] + (month == 2 && isLeap(year) ? 1 : 0)) return false;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return false;
    const int64_t days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochOffset;
    const double frac = (hour * 3600 + minute * 60 + second) / 86400.0;
    out = days >= 0 ? static_cast<double>(days) + frac : static_cast<double>(days) - frac;
    return true;
}

COleDateTime::Parts PartsFromDate(DATE date) {
    // Whole days toward zero; the fraction is the time of day either way.
    double whole = std::trunc(date);
    int64_t seconds = std::llround(std::fabs(date - whole) * 86400.0);
    int64_t days = static_cast<int64_t>(whole);
    if (seconds >= 86400) {  // rounding reached the next midnight
        seconds -= 86400;
        days += date >= 0 ? 1 : -1;
    }
    COleDateTime::Parts p{};
    civilFromDays(days - kEpochOffset, p.year, p.month, p.day);
    p.hour = static_cast<int>(seconds / 3600);
    p.minute = static_cast<int>(seconds / 60 % 60);
    p.second = static_cast<int>(seconds % 60);
    return p;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
    DATE dt = 0;
    if (!DateFromParts(nYear, nMonth, nDay, nHour, nMin, nSec, dt)) {
        m_status = invalid;
        return 1;
    }
    m_dt = dt;
    m_status = valid;
    return 0;
}

COleDateTime::Parts COleDateTime::parts() const { return PartsFromDate(m_dt); }
