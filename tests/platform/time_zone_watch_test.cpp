#include "platform/time_zone_watch.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <fstream>

#include "test_support.h"

namespace veltaro {
namespace {

using testing::TempFolder;

bool Readable(const TimeZoneWatch& watch) {
    pollfd entry{watch.Descriptor(), POLLIN, 0};
    return ::poll(&entry, 1, 1000) == 1;
}

// The zone file is replaced the way timedatectl does it: a new link renamed over the old one.
void PointZoneAt(const std::filesystem::path& zoneFile, const std::string& zone) {
    const std::filesystem::path fresh = zoneFile.string() + ".new";
    std::filesystem::create_symlink("/usr/share/zoneinfo/" + zone, fresh);
    std::filesystem::rename(fresh, zoneFile);
}

TEST(TimeZoneWatch, TellsAReplacedOrRewrittenZoneFileFromOtherChangesInItsFolder) {
    const TempFolder etc;
    const std::filesystem::path zoneFile = etc.Path() / "localtime";
    PointZoneAt(zoneFile, "Asia/Shanghai");
    TimeZoneWatch watch(zoneFile);
    ASSERT_TRUE(watch.IsOpen());
    EXPECT_FALSE(watch.ZoneChanged()) << "nothing happened yet";

    std::ofstream(etc.Path() / "resolv.conf") << "nameserver 127.0.0.1\n";
    ASSERT_TRUE(Readable(watch));
    EXPECT_FALSE(watch.ZoneChanged());

    PointZoneAt(zoneFile, "Europe/Berlin");
    ASSERT_TRUE(Readable(watch));
    EXPECT_TRUE(watch.ZoneChanged());
    EXPECT_FALSE(watch.ZoneChanged()) << "each change told once";

    std::filesystem::remove(zoneFile);
    std::ofstream(zoneFile) << "TZif";  // a copy written in place
    ASSERT_TRUE(Readable(watch));
    EXPECT_TRUE(watch.ZoneChanged());
}

TEST(TimeZoneWatch, AFolderThatIsNotThereIsNotWatched) {
    const TempFolder temp;
    const TimeZoneWatch watch(temp.Path() / "missing" / "localtime");
    EXPECT_FALSE(watch.IsOpen());
}

}  // namespace
}  // namespace veltaro
