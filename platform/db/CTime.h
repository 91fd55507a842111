#pragma once
#include <cstdint>

// A point in time as a count of seconds since 1970-01-01 UTC. Its calendar
// parts are read and set in the process's local time.
class CTime {
public:
    CTime() = default;
    explicit CTime(int64_t seconds) : m_time(seconds) {}
    // Local-time constructor; the daylight-saving state is worked out by the C library.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    int64_t GetTime() const { return m_time; }
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    bool operator==(const CTime&) const = default;

private:
    struct Parts { int year, month, day, hour, minute, second; };
    Parts local() const;
    int64_t m_time = 0;
};
