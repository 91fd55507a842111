// Calendar conversions of the platform's date and time classes.

#include <gtest/gtest.h>

#include "platform/db/COleDateTime.h"
#include "platform/db/CTime.h"
#include "platform/db/TimestampText.h"

TEST(Dates, AutomationDatesConvertExactly) {
    struct Case { int y, mo, d, h, mi, s; double date; };
    const Case cases[] = {
        {1899, 12, 30, 0, 0, 0, 0.0},
        {1900, 1, 1, 0, 0, 0, 2.0},
        {1899, 12, 29, 6, 0, 0, -1.25},
        {2008, 3, 1, 12, 0, 0, 39508.5},
        {1600, 2, 29, 18, 0, 0, -109512.75},
        {9999, 12, 31, 23, 59, 59, 2958465.999988426},
    };
    for (const Case& c : cases) {
        DATE dt = 0;
        ASSERT_TRUE(DateFromParts(c.y, c.mo, c.d, c.h, c.mi, c.s, dt));
        EXPECT_NEAR(dt, c.date, 1e-9) << c.y;
        const auto p = PartsFromDate(c.date);
        EXPECT_EQ((std::vector<int>{p.year, p.month, p.day, p.hour, p.minute, p.second}),
                  (std::vector<int>{c.y, c.mo, c.d, c.h, c.mi, c.s}));
    }
    COleDateTime bad;
    EXPECT_EQ(bad.SetDateTime(2001, 2, 29, 0, 0, 0), 1);
    EXPECT_EQ(bad.GetStatus(), COleDateTime::invalid);
    // Rounding to the second carries into the next day.
    const auto carry = PartsFromDate(1.0 - 1e-9);
    EXPECT_EQ(carry.day, 31);
    EXPECT_EQ(carry.hour, 0);
}

TEST(Dates, TimeIsLocal) {
    const CTime t(2010, 6, 15, 8, 30, 5);
    EXPECT_EQ(t.GetYear(), 2010);
    EXPECT_EQ(t.GetHour(), 8);
    EXPECT_EQ(t.GetSecond(), 5);
}

TEST(Dates, TimestampText) {
    TIMESTAMP_STRUCT ts{};
    ASSERT_TRUE(tesk::db::parseTimestamp("2008-03-01 12:34:56.789", ts));
    EXPECT_EQ(ts.fraction, 789000000u);
    EXPECT_EQ(tesk::db::formatTimestamp(ts), "2008-03-01 12:34:56.789");
    ASSERT_TRUE(tesk::db::parseTimestamp("2008-03-01T01:02:03", ts));
    EXPECT_EQ(ts.fraction, 0u);
    ASSERT_TRUE(tesk::db::parseTimestamp("2008-03-01", ts));
    EXPECT_EQ(ts.hour, 0);
    for (const char* bad : {"", "2008-3-1", "2008-03-01 25:00:00", "2008-13-01", "2008-03-01 12:00:00x"})
        EXPECT_FALSE(tesk::db::parseTimestamp(bad, ts)) << bad;
}
