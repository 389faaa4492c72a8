// Replacing and reading whole files on a real file system.
#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_support.h"

namespace veltaro {
namespace {

using std::filesystem::perms;
using testing::PermissionsOf;
using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

std::ptrdiff_t EntriesIn(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder),
                         std::filesystem::directory_iterator());
}

TEST(ReplaceFileAtomically, ReplacesTheWholeFileWithItsModeAndNothingBeside) {
    const TempFolder temp;
    const auto file = temp.Path() / "entry";
    WriteText(file, "an old and longer content");

    ASSERT_TRUE(ReplaceFileAtomically(file, "new", 0640));
    EXPECT_EQ(ReadText(file), "new");
    EXPECT_EQ(PermissionsOf(file), perms::owner_read | perms::owner_write | perms::group_read);
    EXPECT_EQ(EntriesIn(temp.Path()), 1);

    EXPECT_FALSE(ReplaceFileAtomically(temp.Path() / "missing" / "entry", "new", 0600));
    EXPECT_FALSE(ReplaceFileAtomically(temp.Path() / "", "new", 0600));
    EXPECT_EQ(EntriesIn(temp.Path()), 1);
}

TEST(ReplaceFileAtomically, WithoutAModeKeepsTheReplacedFilesBitsOrGivesANewOne0644) {
    const TempFolder temp;
    const auto kept = temp.Path() / "kept";
    WriteText(kept, "old");
    std::filesystem::permissions(kept, perms::owner_read | perms::owner_write);
    ASSERT_TRUE(ReplaceFileAtomically(kept, "new"));
    EXPECT_EQ(PermissionsOf(kept), perms::owner_read | perms::owner_write);

    const auto fresh = temp.Path() / "fresh";
    ASSERT_TRUE(ReplaceFileAtomically(fresh, "new"));
    EXPECT_EQ(PermissionsOf(fresh),
              perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);
}

TEST(ReadRegularFile, ReadsOnlyRegularFilesWithinTheLimit) {
    const TempFolder temp;
    const auto file = temp.Path() / "data";
    WriteText(file, "12345");
    EXPECT_EQ(ReadRegularFile(file, 5), "12345");
    EXPECT_EQ(ReadRegularFile(file, 4), std::nullopt);
    EXPECT_EQ(ReadRegularFile(temp.Path() / "missing", 100), std::nullopt);
    EXPECT_EQ(ReadRegularFile(temp.Path(), 100), std::nullopt);
    const auto fifo = temp.Path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadRegularFile(fifo, 100), std::nullopt);  // and does not wait for a writer
}

}  // namespace
}  // namespace veltaro
