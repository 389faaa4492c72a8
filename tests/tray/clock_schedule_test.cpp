#include "tray/clock_schedule.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace veltaro {
namespace {

// Runs with TZ set to `zone`, and puts the test's zone back afterwards.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone) : previous_(std::getenv("TZ")) {
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ZoneScope() {
        ::setenv("TZ", previous_.c_str(), 1);
        ::tzset();
    }

private:
    std::string previous_;
};

std::int64_t Local(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TEST(ClockSchedule, NextTopOfHourInWholeAndHalfHourZones) {
    for (const char* zone : {"Asia/Shanghai", "Asia/Kolkata", "America/St_Johns"}) {
        SCOPED_TRACE(zone);
        const ZoneScope scope(zone);
        EXPECT_EQ(NextTopOfHour(Local(2026, 3, 14, 8, 30, 0)), Local(2026, 3, 14, 9, 0, 0));
        EXPECT_EQ(NextTopOfHour(Local(2026, 3, 14, 8, 59, 59)), Local(2026, 3, 14, 9, 0, 0));
        EXPECT_EQ(NextTopOfHour(Local(2026, 3, 14, 9, 0, 0)), Local(2026, 3, 14, 10, 0, 0));
        EXPECT_EQ(NextTopOfHour(Local(2026, 12, 31, 23, 10, 0)), Local(2027, 1, 1, 0, 0, 0));
    }
}

TEST(ClockSchedule, WakesAtTheTopOfTheHourAndNotBefore) {
    const ClockWake lastSecond = NextClockWake(Local(2026, 3, 14, 14, 59, 59));
    EXPECT_EQ(lastSecond.atSeconds, Local(2026, 3, 14, 15, 0, 0));
    EXPECT_TRUE(lastSecond.topOfHour);
    const ClockWake midHour = NextClockWake(Local(2026, 3, 14, 15, 20, 0));
    EXPECT_GT(midHour.atSeconds, Local(2026, 3, 14, 15, 20, 0));
    EXPECT_LE(midHour.atSeconds, Local(2026, 3, 14, 15, 21, 0));
    EXPECT_FALSE(midHour.topOfHour);
}

TEST(ClockSchedule, MissedChimesAndTrimming) {
    const std::int64_t hour = Local(2026, 3, 14, 15, 0, 0);
    EXPECT_TRUE(ChimeStillDue(hour, hour));
    EXPECT_TRUE(ChimeStillDue(hour, hour + 5));
    EXPECT_FALSE(ChimeStillDue(hour, hour + 25 * 60)) << "woke from a suspend long after";

    const std::uint64_t MiB = 1024 * 1024;
    const struct {
        std::uint64_t resident;
        bool topOfHour;
        int menus;
        bool trims;
    } cases[] = {
        {3 * MiB, false, 0, true},     {3 * MiB - 1, false, 0, false}, {1 * MiB, true, 0, true},
        {1 * MiB - 1, true, 0, false}, {64 * MiB, false, 1, false},    {64 * MiB, true, 2, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShouldTrimMemory(c.resident, c.topOfHour, c.menus), c.trims)
            << c.resident << " " << c.topOfHour << " " << c.menus;
    }
}

}  // namespace
}  // namespace veltaro
