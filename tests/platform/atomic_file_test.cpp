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

TEST(ReplaceFileAtomically, WithoutAModeKeepsTheReplacedFilesBitsOrMakesANewOnePrivate) {
    const TempFolder temp;
    const auto kept = temp.Path() / "kept";
    WriteText(kept, "old");
    std::filesystem::permissions(kept, perms::owner_read | perms::owner_write | perms::group_read);
    ASSERT_TRUE(ReplaceFileAtomically(kept, "new"));
    EXPECT_EQ(PermissionsOf(kept), perms::owner_read | perms::owner_write | perms::group_read);

    // Whatever the umask: a data file is the user's own.
    const mode_t previousMask = ::umask(0);
    const auto fresh = temp.Path() / "fresh";
    const bool created = static_cast<bool>(ReplaceFileAtomically(fresh, "new"));
    ::umask(previousMask);
    ASSERT_TRUE(created);
    EXPECT_EQ(PermissionsOf(fresh), perms::owner_read | perms::owner_write);
}

// A link, a folder or a FIFO planted where a data file belongs is left as it is; what a link
// leads to is never written.
TEST(ReplaceFileAtomically, ReplacesNothingButARegularFile) {
    const TempFolder temp;
    const auto outside = temp.Path() / "outside";
    WriteText(outside, "not ours");
    const auto link = temp.Path() / "link";
    std::filesystem::create_symlink(outside, link);
    const auto dangling = temp.Path() / "dangling";
    std::filesystem::create_symlink(temp.Path() / "nowhere", dangling);
    const auto folder = temp.Path() / "folder";
    std::filesystem::create_directory(folder);
    const auto fifo = temp.Path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    const struct {
        std::filesystem::path path;
        std::string reason;
    } cases[] = {
        {link, "is a symbolic link, which is not followed"},
        {dangling, "is a symbolic link, which is not followed"},
        {folder, "is a directory"},
        {fifo, "not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const FileResult result = ReplaceFileAtomically(c.path, "planted over", 0600);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.failure->Reason(), c.reason);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "nowhere"));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(ReadText(outside), "not ours");
    EXPECT_EQ(EntriesIn(temp.Path()), 5);
}

}  // namespace
}  // namespace veltaro
