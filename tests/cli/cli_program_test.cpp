#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/boot_tag.h"
#include "platform/settings_store.h"
#include "recorder/recorder_test_support.h"

extern char** environ;

namespace veltaro {
namespace {

using testing::BytesOf;
using testing::LocalSeconds;
using testing::ReadBytes;
using testing::RunStartedAt;
using testing::TempFolder;
using testing::WriteBytes;

struct ProgramResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

std::vector<std::string> InheritedEnvironment() {
    std::vector<std::string> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        environment.emplace_back(*variable);
    }
    return environment;
}

std::string TextOf(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<char*> PointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Runs `program` with `arguments` and `environment`, no shell in between.
ProgramResult RunProgram(std::vector<std::string> arguments,
                         std::vector<std::string> environment = InheritedEnvironment(),
                         std::string program = VELTARO_CLI_PROGRAM) {
    TempFolder capture;
    const auto outFile = capture.Path() / "out";
    const auto errFile = capture.Path() / "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    arguments.insert(arguments.begin(), std::move(program));
    std::vector<char*> argv = PointersTo(arguments);
    std::vector<char*> envp = PointersTo(environment);

    ProgramResult result;
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    }
    result.out = TextOf(outFile);
    result.err = TextOf(errFile);
    return result;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool IsOneLine(const std::string& text) {
    return !text.empty() && text.find('\n') == text.size() - 1;
}

TEST(CliProgramTest, FailuresExitWithOneLineNamingTheProblem) {
    TempFolder folder;
    const std::string badLogFolder = (folder.Path() / "bad").string();
    std::filesystem::create_directories(folder.Path() / "bad" / "durmet.tm");
    const struct {
        std::vector<std::string> arguments;
        int exitStatus;
        const char* named;
    } cases[] = {
        {{}, 2, "subcommand"},
        {{"frobnicate"}, 2, "'frobnicate'"},
        {{"log", "--bogus"}, 2, "'--bogus'"},
        {{"log", "--data-dir"}, 2, "--data-dir"},
        {{"log", "--lang", "fr"}, 2, "'fr'"},
        {{"log", "--data-dir", badLogFolder}, 1, "durmet.tm"},
        {{"log", "--csv", "--data-dir", badLogFolder}, 1, "durmet.tm"},
    };
    for (const auto& c : cases) {
        const ProgramResult result = RunProgram(c.arguments);
        const std::string shown = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(result.exitStatus, c.exitStatus) << shown;
        EXPECT_TRUE(IsOneLine(result.err)) << shown << ": " << result.err;
        EXPECT_NE(result.err.find(c.named), std::string::npos) << shown << ": " << result.err;
        EXPECT_EQ(result.out, "") << shown;
    }
}

TEST(CliProgramTest, HelpListsTheLogSubcommand) {
    const ProgramResult result = RunProgram({"--help"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_NE(result.out.find("log [--data-dir DIR] [--csv | --summary] [--lang zh|en]"),
              std::string::npos);
}

TEST(CliProgramTest, MissingDataFolderShowsOnlyTheLiveRun) {
    TempFolder folder;
    const ProgramResult result =
        RunProgram({"log", "--csv", "--data-dir", (folder.Path() / "absent").string()});

    EXPECT_EQ(result.exitStatus, 0);
    const auto lines = LinesOf(result.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "ordinal,startup,shutdown,run_seconds,cumulative_seconds,status");
    EXPECT_EQ(lines[1].substr(0, 2), "1,");
    EXPECT_NE(lines[1].find(",,"), std::string::npos) << "no shutdown for the live run";
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "absent"));
}

TEST(CliProgramTest, LogsPastRunsAndAPendingOneWithoutWriting) {
    const std::uint32_t thisBoot = CurrentBootTag();
    if (thisBoot == 0) {
        GTEST_SKIP() << "the boot can't be told on this machine";
    }
    TempFolder folder;
    WriteBytes(folder.Path() / "durmet.tm",
               BytesOf({RunStartedAt(LocalSeconds(2008, 3, 1, 23, 30, 0), 3'600'999),
                        RunStartedAt(LocalSeconds(2008, 3, 2, 8, 0, 0), 93'784'000)}));
    const auto pending =
        BytesOf({RunStartedAt(LocalSeconds(2008, 4, 30, 20, 0, 0), 10'800'000, thisBoot + 1)});
    WriteBytes(folder.Path() / "tmptime2.tm", pending);

    const ProgramResult csv = RunProgram({"log", "--csv", "--data-dir", folder.Path().string()});
    const ProgramResult text = RunProgram({"log", "--data-dir", folder.Path().string()});

    EXPECT_EQ(csv.exitStatus, 0);
    const auto rows = LinesOf(csv.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1], "1,2008-03-01 23:30:00,2008-03-02 00:30:00,3600,3600,logged");
    EXPECT_EQ(rows[2], "2,2008-03-02 08:00:00,2008-03-03 10:03:04,93784,97384,logged");
    EXPECT_EQ(rows[3], "3,2008-04-30 20:00:00,2008-04-30 23:00:00,10800,108184,pending");
    EXPECT_EQ(rows[4].substr(0, 2), "4,");

    EXPECT_EQ(text.exitStatus, 0);
    const auto lines = LinesOf(text.out);
    ASSERT_EQ(lines.size(), 4 * 5 + 3u);
    EXPECT_EQ(lines[0], "The 1st startup");
    EXPECT_EQ(lines[18], "The 4th startup");
    EXPECT_EQ(lines[20], "Shutdown Time: Unknown");

    EXPECT_EQ(ReadBytes(folder.Path() / "tmptime2.tm"), pending);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "tmptime1.tm"));
}

// The resident program's stored language first, then the locale; --lang over both.
TEST(CliProgramTest, LanguageIsTheStoredOneElseTheLocaleUnlessGiven) {
    TempFolder folder;
    const std::string absent = (folder.Path() / "absent").string();
    const struct {
        std::optional<std::uint32_t> stored;
        std::vector<std::string> locale;
        std::vector<std::string> extra;
        const char* caption;
    } cases[] = {
        {std::nullopt, {"LANG=zh_CN.UTF-8"}, {}, "第 1 次启动"},
        {std::nullopt, {"LC_ALL=C.UTF-8", "LANG=zh_CN.UTF-8"}, {}, "The 1st startup"},
        {std::nullopt, {"LANG=de_DE.UTF-8"}, {}, "The 1st startup"},
        {std::nullopt, {"LANG=zh_CN.UTF-8"}, {"--lang", "en"}, "The 1st startup"},
        {std::nullopt, {}, {"--lang", "zh"}, "第 1 次启动"},
        {4, {"LANG=en_US.UTF-8"}, {}, "第 1 次启动"},
        {9, {"LANG=zh_CN.UTF-8"}, {}, "The 1st startup"},
        {7, {"LANG=zh_CN.UTF-8"}, {}, "The 1st startup"},
        {9, {"LANG=zh_CN.UTF-8"}, {"--lang", "zh"}, "第 1 次启动"},
    };
    int run = 0;
    for (const auto& c : cases) {
        const auto config = folder.Path() / ("config" + std::to_string(++run));
        if (c.stored) {
            ASSERT_TRUE(FileSettingsStore(config / "veltaro" / "settings.reg")
                            .WriteDword("Language", *c.stored));
        }
        std::vector<std::string> environment = {"TZ=Asia/Shanghai",
                                                "XDG_CONFIG_HOME=" + config.string()};
        environment.insert(environment.end(), c.locale.begin(), c.locale.end());
        std::vector<std::string> arguments = {"log", "--data-dir", absent};
        arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
        const ProgramResult result = RunProgram(arguments, environment);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(LinesOf(result.out).at(0), c.caption) << ::testing::PrintToString(environment);
    }
}

// A copy of the companion in a folder of its own, with the holiday fixture beside it.
class InstalledCopy {
public:
    InstalledCopy() {
        std::filesystem::create_directory(Program().parent_path());
        std::filesystem::copy_file(VELTARO_CLI_PROGRAM, Program());
        std::filesystem::copy_file(VELTARO_HOLIDAY_FIXTURE,
                                   Program().parent_path() / "Holiday.xml");
    }
    std::filesystem::path Program() const { return folder_.Path() / "bin" / "veltaro-cli"; }
    std::filesystem::path DataHome() const { return folder_.Path() / "data"; }
    std::filesystem::path ConfigHome() const { return folder_.Path() / "config"; }

    ProgramResult Holidays() const {
        return RunProgram({"holidays", "2020-10-01", "--lang", "en"},
                          {"TZ=Asia/Shanghai", "XDG_DATA_HOME=" + DataHome().string(),
                           "XDG_CONFIG_HOME=" + ConfigHome().string()},
                          Program().string());
    }

private:
    TempFolder folder_;
};

TEST(CliProgramTest, ReadsTheDataOfTheResidentProgramAndCreatesNoFolder) {
    const InstalledCopy copy;
    const ProgramResult beside = copy.Holidays();
    EXPECT_EQ(beside.exitStatus, 0) << beside.err;
    EXPECT_EQ(beside.out,
              "1\t115\tNational Day\n1\t31\tInternational Music Day\n2\t207\tMid-Autumn "
              "Festival\n");

    if (::geteuid() != 0) {
        // Installed read-only: the data folder would be $XDG_DATA_HOME/veltaro, not made yet.
        std::filesystem::permissions(
            copy.Program().parent_path(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        const ProgramResult installed = copy.Holidays();
        EXPECT_EQ(installed.exitStatus, 0) << installed.err;
        EXPECT_EQ(installed.out, "");
        std::filesystem::permissions(copy.Program().parent_path(),
                                     std::filesystem::perms::owner_all);
    }
    EXPECT_FALSE(std::filesystem::exists(copy.DataHome()));
    EXPECT_FALSE(std::filesystem::exists(copy.ConfigHome()));
}

// An installed companion whose user has no holiday file yet shows the festivals installed in
// <prefix>/share/veltaro, as the resident program's first file will hold them, and writes nothing.
TEST(CliProgramTest, WithoutAHolidayFileReadsTheInstalledOne) {
    const InstalledCopy copy;
    const std::filesystem::path beside = copy.Program().parent_path() / "Holiday.xml";
    const std::filesystem::path shipped =
        copy.Program().parent_path().parent_path() / "share" / "veltaro";
    std::filesystem::create_directories(shipped);
    std::filesystem::rename(beside, shipped / "Holiday.xml");

    const ProgramResult result = copy.Holidays();
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out,
              "1\t115\tNational Day\n1\t31\tInternational Music Day\n2\t207\tMid-Autumn "
              "Festival\n");
    EXPECT_FALSE(std::filesystem::exists(beside));
}

}  // namespace
}  // namespace veltaro
