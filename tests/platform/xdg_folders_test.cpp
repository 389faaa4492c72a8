#include "platform/xdg_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "test_support.h"

namespace veltaro {
namespace {

using std::filesystem::perms;
using testing::EnvironmentOf;
using testing::PermissionsOf;
using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

struct FolderCase {
    std::map<std::string, std::string> environment;
    std::filesystem::path config;
    std::filesystem::path data;
};

TEST(XdgFolders, OwnAbsoluteValuesElseTheFoldersBelowHome) {
    const std::vector<FolderCase> cases = {
        {{{"HOME", "/home/u"}}, "/home/u/.config", "/home/u/.local/share"},
        {{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/x/cfg"}, {"XDG_DATA_HOME", "/x/data"}},
         "/x/cfg",
         "/x/data"},
        // Relative values are invalid and ignored.
        {{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", "./data"}},
         "/home/u/.config",
         "/home/u/.local/share"},
        {{{"XDG_CONFIG_HOME", "/x/cfg"}}, "/x/cfg", ""},
        {{{"HOME", "relative"}}, "", ""},
        {{}, "", ""},
    };
    for (const auto& entry : cases) {
        const auto environment = EnvironmentOf(entry.environment);
        EXPECT_EQ(ConfigHome(environment), entry.config);
        EXPECT_EQ(DataHome(environment), entry.data);
    }
}

// The tests' own environment: a test that reached the user's real folders could change their
// settings, and one that ran in the machine's zone would pass or fail by where it runs.
TEST(XdgFolders, TestsRunWithTheBuildsOwnHomeZoneAndLocale) {
    EXPECT_EQ(ConfigHome().parent_path().filename(), "test-home");
    EXPECT_EQ(DataHome().parent_path().filename(), "test-home");
    EXPECT_EQ(ProcessEnvironment("TZ"), "Asia/Shanghai");
    EXPECT_EQ(ProcessEnvironment("LC_ALL"), "C.UTF-8");
}

TEST(RuntimeDir, TakesAnAbsoluteXdgRuntimeDir) {
    EXPECT_EQ(RuntimeDir(EnvironmentOf({{"XDG_RUNTIME_DIR", "/run/user/1000"}})), "/run/user/1000");
}

TEST(PrivateRuntimeFolder, IsCreatedPrivateAndRefusedWhenOthersCouldReachIt) {
    const TempFolder temp;
    const uid_t uid = ::getuid();
    const auto folder = temp.Path() / ("veltaro-" + std::to_string(uid));

    EXPECT_EQ(PrivateRuntimeFolder(temp.Path(), uid), folder);
    EXPECT_EQ(PermissionsOf(folder), perms::owner_all);
    EXPECT_EQ(PrivateRuntimeFolder(temp.Path(), uid), folder);

    EXPECT_EQ(PrivateRuntimeFolder(temp.Path(), uid + 1), "") << "owned by someone else";

    std::filesystem::permissions(folder, perms::owner_all | perms::group_read | perms::group_exec);
    EXPECT_EQ(PrivateRuntimeFolder(temp.Path(), uid), "") << "open to the group";

    std::filesystem::remove(folder);
    std::filesystem::create_directory(temp.Path() / "elsewhere");
    std::filesystem::permissions(temp.Path() / "elsewhere", perms::owner_all);
    std::filesystem::create_directory_symlink(temp.Path() / "elsewhere", folder);
    EXPECT_EQ(PrivateRuntimeFolder(temp.Path(), uid), "") << "a link";

    std::filesystem::remove(folder);
    WriteText(folder, "");
    EXPECT_EQ(PrivateRuntimeFolder(temp.Path(), uid), "") << "a file";
}

TEST(EnsurePrivateFolder, CreatesMissingFoldersPrivateAndLeavesExistingOnes) {
    const TempFolder temp;
    std::filesystem::permissions(temp.Path(),
                                 perms::owner_all | perms::others_read | perms::others_exec);
    const auto nested = temp.Path() / "a" / "b" / "c";

    ASSERT_TRUE(EnsurePrivateFolder(nested));
    EXPECT_EQ(PermissionsOf(temp.Path() / "a"), perms::owner_all);
    EXPECT_EQ(PermissionsOf(nested), perms::owner_all);
    EXPECT_EQ(PermissionsOf(temp.Path()),
              perms::owner_all | perms::others_read | perms::others_exec);
    EXPECT_TRUE(EnsurePrivateFolder(nested));

    WriteText(temp.Path() / "plain", "");
    EXPECT_FALSE(EnsurePrivateFolder(temp.Path() / "plain"));
    EXPECT_FALSE(EnsurePrivateFolder(temp.Path() / "plain" / "below"));
    EXPECT_FALSE(EnsurePrivateFolder(""));
}

}  // namespace
}  // namespace veltaro
