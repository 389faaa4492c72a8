// Keeping a data file's bytes aside before they are replaced or cut, on a real file system.
#include "platform/keep_aside.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "test_support.h"

namespace veltaro {
namespace {

using std::filesystem::perms;
using testing::PermissionsOf;
using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

// 2024-01-02 03:04:05 in Shanghai, the tests' time zone.
constexpr std::int64_t kNow = 1704135845;

TEST(KeepDamagedFileAside, MovesTheFileToAFreeNameAndNeverOverAnother) {
    const TempFolder temp;
    const auto file = temp.Path() / "RemindInfo.xml";
    const std::string stem = file.string() + ".damaged-20240102-030405";
    WriteText(stem + "-2", "kept by hand");
    for (const std::string& expected : {stem, stem + "-3"}) {
        WriteText(file, "damaged " + expected);
        const KeptAside kept = KeepDamagedFileAside(file, kNow);
        ASSERT_EQ(kept.failure, std::nullopt);
        EXPECT_EQ(kept.aside, expected);
        EXPECT_EQ(ReadText(expected), "damaged " + expected);
        EXPECT_FALSE(std::filesystem::exists(file));
    }
    EXPECT_EQ(ReadText(stem + "-2"), "kept by hand");
}

// Only a file that was read can be damaged; the others are left where they are.
TEST(KeepDamagedFileAside, LeavesAnythingButARegularFileAlone) {
    const TempFolder temp;
    const auto link = temp.Path() / "link";
    std::filesystem::create_symlink(temp.Path() / "nowhere", link);
    const auto fifo = temp.Path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& path : {link, fifo, temp.Path() / "missing"}) {
        SCOPED_TRACE(path);
        const KeptAside kept = KeepDamagedFileAside(path, kNow);
        EXPECT_TRUE(kept.failure);
        EXPECT_TRUE(kept.aside.empty());
    }
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(KeepBytesAside, WritesAPrivateCopyByTheSameNamingRule) {
    const TempFolder temp;
    const auto log = temp.Path() / "durmet.tm";
    const std::string stem = log.string() + ".partial-20240102-030405";
    // A link planted at the first name is neither followed nor replaced.
    std::filesystem::create_symlink(temp.Path() / "outside", stem);

    const mode_t previousMask = ::umask(0);
    const KeptAside kept = KeepBytesAside(log, "partial", std::string("\0\1\2", 3), kNow);
    ::umask(previousMask);
    ASSERT_EQ(kept.failure, std::nullopt);
    EXPECT_EQ(kept.aside, stem + "-2");
    EXPECT_EQ(ReadText(kept.aside), std::string("\0\1\2", 3));
    EXPECT_EQ(PermissionsOf(kept.aside), perms::owner_read | perms::owner_write);
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "outside"));

    EXPECT_TRUE(
        KeepBytesAside(temp.Path() / "no-folder" / "durmet.tm", "partial", "x", kNow).failure);
}

}  // namespace
}  // namespace veltaro
