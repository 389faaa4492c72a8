// The real clocks, the real boot id and a real lock between two processes.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cmath>
#include <ctime>
#include <fstream>
#include <string>

#include "platform/boot_tag.h"
#include "platform/clock.h"
#include "platform/file_lock.h"
#include "test_support.h"

namespace veltaro {
namespace {

using testing::TempFolder;

TEST(SystemClock, AgreesWithTheKernelsUptimeAndCalendarTime) {
    const SystemClock clock;
    double uptimeSeconds = 0;
    std::ifstream("/proc/uptime") >> uptimeSeconds;
    const std::uint64_t tick = clock.TickMs();
    // Both count from boot, suspend included; they are read a moment apart.
    EXPECT_NEAR(static_cast<double>(tick) / 1000.0, uptimeSeconds, 2.0);
    EXPECT_GE(clock.TickMs(), tick);
    EXPECT_NEAR(static_cast<double>(clock.NowSeconds()), static_cast<double>(std::time(nullptr)),
                2.0);
}

TEST(LocalTime, FollowsThePinnedTimeZone) {
    // 2008-05-01 12:00:00 in Asia/Shanghai (UTC+8), a Thursday and day 121 of the year.
    const std::tm local = LocalTime(1209614400);
    EXPECT_EQ(local.tm_year, 108);
    EXPECT_EQ(local.tm_mon, 4);
    EXPECT_EQ(local.tm_mday, 1);
    EXPECT_EQ(local.tm_hour, 12);
    EXPECT_EQ(local.tm_min, 0);
    EXPECT_EQ(local.tm_wday, 4);
    EXPECT_EQ(local.tm_yday, 121);
    EXPECT_EQ(local.tm_isdst, 0);
}

TEST(BootTag, IsTheStableNonZeroTagOfTheKernelsBootId) {
    std::string id;
    std::getline(std::ifstream("/proc/sys/kernel/random/boot_id"), id);
    ASSERT_FALSE(id.empty());
    EXPECT_EQ(CurrentBootTag(), BootTagOf(id));
    EXPECT_NE(CurrentBootTag(), 0u);
    // Stored tags outlive the program: the function may never change.
    EXPECT_EQ(BootTagOf(""), 2166136261u);
    EXPECT_EQ(BootTagOf("a"), 0xe40c292cu);
    EXPECT_NE(BootTagOf("ecd0f679-7ac7-49b3-9c74-cf1f9723ca7d"),
              BootTagOf("ecd0f679-7ac7-49b3-9c74-cf1f9723ca7e"));
}

TEST(FileLock, KeepsAnotherProcessOutUntilReleased) {
    const TempFolder temp;
    const std::filesystem::path lockFile = temp.Path() / ".veltaro.lock";
    const auto otherProcessGetsIt = [&lockFile] {
        const pid_t child = ::fork();
        if (child == 0) {
            const int fd = ::open(lockFile.c_str(), O_RDWR);
            ::_exit(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    {
        const FileLock lock(lockFile);
        ASSERT_TRUE(lock.Held());
        EXPECT_FALSE(otherProcessGetsIt());
    }
    EXPECT_TRUE(otherProcessGetsIt());
    EXPECT_FALSE(FileLock(temp.Path() / "missing" / "lock").Held());
}

}  // namespace
}  // namespace veltaro
