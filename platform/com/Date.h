#pragma once
// Automation dates (DATE) to and from calendar fields.

#include "platform/com/Types.h"

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;  // 0 is Sunday
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

// Both return 1 on success and 0 for a date outside the years 100 to 9999 or
// a field out of range. Times are rounded to the second; wMilliseconds is
// ignored on the way in and 0 on the way out; wDayOfWeek is ignored on the
// way in and computed on the way out.
INT SystemTimeToVariantTime(const SYSTEMTIME* lpSystemTime, DATE* pvtime);
INT VariantTimeToSystemTime(DATE vtime, SYSTEMTIME* lpSystemTime);
