#include "engine/base/LocalTime.h"

#include "support/TestSupport.h"

#include <ctime>
#include <string>

#include <gtest/gtest.h>

using namespace engine;

// Local time takes the offset of its own instant, summer time included.
TEST(LocalTime, LocalTimeUsesTheOffsetOfThatInstant)
{
    const testsupport::TScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const struct {
        int64_t Utc;
        const char* Local;
    } cases[] = {
        {1610712000, "2021-01-15 13:00:00"}, // 12:00 UTC in winter
        {1626350400, "2021-07-15 14:00:00"}, // 12:00 UTC in summer
        {0, "1970-01-01 01:00:00"},
    };
    for (const auto& c : cases) {
        const TDateTime local = UnixTimeToLocalDateTime(c.Utc);
        EXPECT_EQ(DateTimeText("yyyy-mm-dd hh:nn:ss", local), c.Local);
        EXPECT_EQ(LocalDateTimeToUnixTime(local), c.Utc);
    }
    EXPECT_EQ(DateTimeText("d/m/yy hh:nn:ss.zzz", 25569.5 + 0.25 / 86400), "1/1/70 12:00:00.250");
}

TEST(LocalTime, NowIsTheCurrentInstant)
{
    const int64_t before = time(nullptr);
    const int64_t now = LocalDateTimeToUnixTime(NowDateTime());
    const int64_t after = time(nullptr);
    EXPECT_GE(now, before);
    EXPECT_LE(now, after + 1);
}
