#include "platform/program_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "test_support.h"

namespace veltaro {
namespace {

using testing::PermissionsOf;
using testing::TempFolder;
using testing::WriteText;

TEST(DirectoryOfProgramPath, CutsAfterTheLastSlashFromTheSecondCharacterOn) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/usr/bin/veltaro", "/usr/bin/"},
        {"/opt/my apps/veltaro", "/opt/my apps/"},
        {"/opt/v.d/veltaro (deleted)", "/opt/v.d/"},
        {"/opt/tools/", "/opt/tools/"},
        {"/veltaro", "/"},
        {"//veltaro", "//"},
        {"a/veltaro", "a/"},
        {"veltaro", "/"},
        {"/", "/"},
        {"", "/"},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(DirectoryOfProgramPath(path), expected) << path;
    }
}

TEST(ProgramDirectory, IsTheFolderOfTheRunningProgram) {
    const std::string program = RunningProgramPath();
    ASSERT_FALSE(program.empty());
    EXPECT_TRUE(std::filesystem::equivalent(program, "/proc/self/exe"));
    const std::string folder = ProgramDirectory();
    ASSERT_TRUE(folder.ends_with('/'));
    EXPECT_EQ(folder + std::filesystem::path(program).filename().string(), program);
}

TEST(DataDirectory, IsTheProgramFolderWhenWritableElseThePrivateDataFolder) {
    const TempFolder temp;
    const std::string programFolder = temp.Path().string() + "/";
    const auto dataHome = temp.Path() / "data";
    EXPECT_EQ(DataDirectory(programFolder, dataHome), programFolder);

    const std::string missingFolder = (temp.Path() / "missing").string() + "/";
    EXPECT_EQ(DataDirectory(missingFolder, dataHome), (dataHome / "veltaro").string() + "/");
    EXPECT_EQ(PermissionsOf(dataHome / "veltaro"), std::filesystem::perms::owner_all);

    // With nowhere to go, the files beside the program are still the ones read.
    WriteText(temp.Path() / "plain", "");
    EXPECT_EQ(DataDirectory(missingFolder, temp.Path() / "plain"), missingFolder);
    EXPECT_EQ(DataDirectory(missingFolder, ""), missingFolder);
}

TEST(DataDirectory, ReadOnlyProgramFolderUsesTheDataFolder) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root may write to any folder";
    }
    const TempFolder temp;
    const auto installed = temp.Path() / "installed";
    std::filesystem::create_directory(installed);
    std::filesystem::permissions(
        installed, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(DataDirectory(installed.string() + "/", temp.Path() / "data"),
              (temp.Path() / "data" / "veltaro").string() + "/");
    std::filesystem::permissions(installed, std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace veltaro
