#pragma once

// Automation date: days since 1899-12-30 00:00 as a double; the fraction is the
// time of day. Before that day the fraction still counts forward from midnight
// (-1.25 is 1899-12-29 06:00), as automation dates do.
using DATE = double;

class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    explicit COleDateTime(DATE dt) : m_dt(dt) {}
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
        SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
    }

    // Returns 0 on success; on a date out of range (years 100 to 9999) the
    // object becomes invalid and 1 is returned.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    int GetYear() const { return parts().year; }
    int GetMonth() const { return parts().month; }
    int GetDay() const { return parts().day; }
    int GetHour() const { return parts().hour; }
    int GetMinute() const { return parts().minute; }
    int GetSecond() const { return parts().second; }

    DATE m_dt = 0;
    DateTimeStatus m_status = valid;

    struct Parts { int year, month, day, hour, minute, second; };
    // Calendar parts rounded to the nearest second.
    Parts parts() const;

    bool operator==(const COleDateTime& o) const { return m_dt == o.m_dt && m_status == o.m_status; }
};

// Exact conversions between automation dates and calendar parts.
bool DateFromParts(int year, int month, int day, int hour, int minute, int second, DATE& out);
COleDateTime::Parts PartsFromDate(DATE date);
