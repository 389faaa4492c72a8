#include "platform/program_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

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

// Every path below `folder`, to tell that nothing was made there.
std::vector<std::filesystem::path> TreeOf(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        tree.push_back(entry.path());
    }
    std::sort(tree.begin(), tree.end());
    return tree;
}

TEST(DataDirectoryForReading, AnswersAsDataDirectoryWithoutCreatingAnything) {
    enum class Answer { kProgramFolder, kDataFolder };
    const struct {
        const char* layout;
        const char* programFolder;  // below the temporary folder
        const char* dataHome;       // below it too; null for no data home
        std::vector<const char*> folders;
        std::vector<const char*> files;
        Answer answer;
    } cases[] = {
        {"writable program folder", "", "data", {}, {}, Answer::kProgramFolder},
        {"data folder made before", "missing", "data", {"data/veltaro"}, {}, Answer::kDataFolder},
        {"data home without it", "missing", "data", {"data"}, {}, Answer::kDataFolder},
        {"data home not made yet", "missing", "deep/er/data", {}, {}, Answer::kDataFolder},
        {"data home a file", "missing", "plain", {}, {"plain"}, Answer::kProgramFolder},
        {"data folder a file",
         "missing",
         "data",
         {"data"},
         {"data/veltaro"},
         Answer::kProgramFolder},
        {"no data home", "missing", nullptr, {}, {}, Answer::kProgramFolder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        const TempFolder temp;
        for (const char* folder : c.folders) {
            std::filesystem::create_directories(temp.Path() / folder);
        }
        for (const char* file : c.files) {
            WriteText(temp.Path() / file, "");
        }
        const std::string programFolder = (temp.Path() / c.programFolder).string() + "/";
        const std::filesystem::path dataHome =
            c.dataHome == nullptr ? std::filesystem::path() : temp.Path() / c.dataHome;
        const std::vector<std::filesystem::path> before = TreeOf(temp.Path());

        const std::string read = DataDirectoryForReading(programFolder, dataHome);

        EXPECT_EQ(read, c.answer == Answer::kProgramFolder ? programFolder
                                                           : (dataHome / "veltaro").string() + "/");
        EXPECT_EQ(TreeOf(temp.Path()), before);
        EXPECT_EQ(DataDirectory(programFolder, dataHome), read);
    }
}

}  // namespace
}  // namespace veltaro
