#include "platform/db/CTime.h"

#include <ctime>

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
    std::tm tm{};
    tm.tm_year = nYear - 1900;
    tm.tm_mon = nMonth - 1;
    tm.tm_mday = nDay;
    tm.tm_hour = nHour;
    tm.tm_min = nMin;
    tm.tm_sec = nSec;
    tm.tm_isdst = -1;
    m_time = static_cast<int64_t>(std::mktime(&tm));
}

CTime::Parts CTime::local() const {
    const std::time_t t = static_cast<std::time_t>(m_time);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

int CTime::GetYear() const { return local().year; }
int CTime::GetMonth() const { return local().month; }
int CTime::GetDay() const { return local().day; }
int CTime::GetHour() const { return local().hour; }
int CTime::GetMinute() const { return local().minute; }
int CTime::GetSecond() const { return local().second; }
