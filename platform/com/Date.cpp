#include "platform/com/Date.h"

#include "platform/db/COleDateTime.h"

#include <cmath>

INT SystemTimeToVariantTime(const SYSTEMTIME* lpSystemTime, DATE* pvtime) {
    if (!lpSystemTime || !pvtime) return 0;
    const SYSTEMTIME& st = *lpSystemTime;
    DATE date = 0;
    if (!DateFromParts(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, date)) return 0;
    *pvtime = date;
    return 1;
}

INT VariantTimeToSystemTime(DATE vtime, SYSTEMTIME* lpSystemTime) {
    // The magnitude check keeps the calendar arithmetic in range; the year check does the rest.
    if (!lpSystemTime || !(std::fabs(vtime) < 1e7)) return 0;
    const COleDateTime::Parts p = PartsFromDate(vtime);
    if (p.year < 100 || p.year > 9999) return 0;
    DATE midnight = 0;
    DateFromParts(p.year, p.month, p.day, 0, 0, 0, midnight);
    const auto days = static_cast<long long>(midnight);
    SYSTEMTIME& st = *lpSystemTime;
    st.wYear = static_cast<WORD>(p.year);
    st.wMonth = static_cast<WORD>(p.month);
    st.wDayOfWeek = static_cast<WORD>((days % 7 + 13) % 7);  // day 0 was a Saturday
    st.wDay = static_cast<WORD>(p.day);
    st.wHour = static_cast<WORD>(p.hour);
    st.wMinute = static_cast<WORD>(p.minute);
    st.wSecond = static_cast<WORD>(p.second);
    st.wMilliseconds = 0;
    return 1;
}
