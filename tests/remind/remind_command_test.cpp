#include "cli/remind_command.h"

#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "fake_clock.h"
#include "remind/remind_file.h"
#include "remind/remind_test_support.h"

namespace veltaro {
namespace {

using remind_test::PlanFileText;
using remind_test::TempFolder;
using remind_test::WriteText;

// A clock that stays where the test put it.
// 2008-06-04 10:00:00 in Asia/Shanghai, the tests' time zone: a Wednesday.
constexpr std::int64_t kWednesdayTenOClock = 1212544800;

struct CommandResult {
    int status;
    std::string out;
    std::string err;
};

class RemindCommandTest : public ::testing::Test {
protected:
    void WritePlans(std::string_view datePlans, std::string_view weeklyPlans) {
        WriteText(RemindFilePath(folder_.Path()), PlanFileText(datePlans, weeklyPlans));
    }

    CommandResult Run(std::vector<std::string> arguments) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunRemindCommand(
            arguments, CalendarContext{folder_.Path(), kEnglishLanguageValue, clock_}, out, err);
        return {status, out.str(), err.str()};
    }

    static constexpr int kEnglishLanguageValue = 9;
    TempFolder folder_;
    testing::FakeClock clock_{kWednesdayTenOClock};
};

constexpr std::string_view kDatePlans =
    R"(<Item Lunar="1" Year="任意" Month="8" Day="15" Action="1" ID="0" Hour="20" Minute="0" )"
    R"(Second="0">中秋&#10;赏月</Item>)"
    R"(<Item Lunar="0" Year="Any" Month="Any" Day="1" Action="2" ID="0" Hour="9" Minute="0" )"
    R"(Second="0">tab&#9;back\slash&#13;&#10;</Item>)";
constexpr std::string_view kWeeklyPlans =
    R"(<Item Weekly="17" Action="7" ID="0" Hour="7" Minute="5" Second="30"></Item>)"
    R"(<Item Weekly="0" Action="12" ID="0" Hour="7" Minute="5" Second="30">none</Item>)";

TEST_F(RemindCommandTest, ListsThePlansAsTheEditorDoesInEitherLanguage) {
    WritePlans(kDatePlans, kWeeklyPlans);
    const CommandResult english = Run({"--now", "2008-06-04 10:00:00"});
    EXPECT_EQ(english.status, 0) << english.err;
    EXPECT_EQ(english.out,
              "2008/09/14 20:00:00\tRemind\t中秋\\n赏月\t102\n"
              "2008/06/01 09:00:00\tShutdown\ttab\\tback\\\\slash\\r\\n\t-3\n"
              "Friday     07:05:30\tRestore(PowerOn)\t\t2\n"
              "No Week 07:05:30\t?\tnone\t\n");
    EXPECT_EQ(english.err, "");

    const CommandResult chinese = Run({"--lang", "zh", "--now", "2008-06-04 10:00:00"});
    EXPECT_EQ(chinese.status, 0) << chinese.err;
    EXPECT_EQ(chinese.out,
              "2008/09/14 20:00:00\t提醒\t中秋\\n赏月\t102\n"
              "2008/06/01 09:00:00\t关机\ttab\\tback\\\\slash\\r\\n\t-3\n"
              "星期五     07:05:30\t恢复(开机)\t\t2\n"
              "无指定星期 07:05:30\t?\tnone\t\n");
}

TEST_F(RemindCommandTest, PrintsTheSortedScheduleArmedOrPassedAtNow) {
    WritePlans(std::string(kDatePlans) +
                   std::string(R"(<Item Year="2008" Month="6" Day="4" Hour="10">now</Item>)"
                               R"(<Item Year="2008" Month="2" Day="30">none</Item>)"),
               kWeeklyPlans);
    const CommandResult result = Run({"--schedule", "--now", "2008-06-04 10:00:00"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "0000-00-00 07:05:30 12 never\n"
              "2008-02-30 00:00:00 0 never\n"
              "2008-06-01 09:00:00 2 passed\n"
              "2008-06-04 10:00:00 0 armed\n"
              "2008-06-06 07:05:30 7 armed\n"
              "2008-09-14 20:00:00 1 armed\n");

    const CommandResult aSecondLater = Run({"--now", "2008-06-04 10:00:01", "--schedule"});
    EXPECT_NE(aSecondLater.out.find("2008-06-04 10:00:00 0 passed\n"), std::string::npos)
        << aSecondLater.out;
}

TEST_F(RemindCommandTest, TakesNowFromTheClockWithoutNow) {
    WritePlans(R"(<Item Day="4" Hour="10" Second="1"/><Item Day="4" Hour="9"/>)", "");
    const CommandResult result = Run({"--schedule"});
    EXPECT_EQ(result.out,
              "2008-06-04 09:00:00 0 passed\n"
              "2008-06-04 10:00:01 0 armed\n");
}

TEST_F(RemindCommandTest, ListsNothingWithoutAPlanFileAndCreatesNone) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, std::vector<std::string>{"--schedule"}}) {
        const CommandResult result = Run(arguments);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
    }
    EXPECT_FALSE(std::filesystem::exists(RemindFilePath(folder_.Path())));
}

TEST_F(RemindCommandTest, RefusesADamagedPlanFileAndLeavesItAsItIs) {
    const std::string damaged = "<Quorvane><RemindList>";
    WriteText(RemindFilePath(folder_.Path()), damaged);
    const CommandResult result = Run({"--schedule"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "veltaro-cli remind: " + RemindFilePath(folder_.Path()).string() +
                              " cannot be read as a remind plan file (not well-formed XML?)\n");
    EXPECT_EQ(remind_test::ReadText(RemindFilePath(folder_.Path())), damaged);
}

// A plan file that can't be read is not called damaged: the reason is the system's.
TEST_F(RemindCommandTest, NamesWhyAPlanFileCantBeRead) {
    const std::filesystem::path file = RemindFilePath(folder_.Path());
    std::filesystem::create_directory(file);
    const CommandResult result = Run({});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "veltaro-cli remind: cannot read " + file.string() + ": is a directory\n");
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(RemindCommandTest, NamesTheProblemOfBadArgumentsOnOneLine) {
    struct Case {
        std::vector<std::string> arguments;
        std::string_view problem;
    };
    const Case cases[] = {
        {{"--now"}, "--now needs"},
        {{"--now", "2008-02-30 10:00:00"}, "not '2008-02-30 10:00:00'"},
        {{"--now", "2008-06-04 24:00:00"}, "not '2008-06-04 24:00:00'"},
        {{"--now", "2008-06-04"}, "not '2008-06-04'"},
        {{"--lang", "fr"}, "--lang needs zh or en, not 'fr'"},
        {{"--lang"}, "--lang needs zh or en"},
        {{"--data-dir"}, "--data-dir needs a folder"},
        {{"--data-dir", ""}, "--data-dir needs a folder"},
        {{"--csv"}, "unknown argument '--csv'"},
        {{"--schedules"}, "unknown argument '--schedules'"},
        {{"plans"}, "unexpected argument 'plans'"},
    };
    WritePlans(kDatePlans, kWeeklyPlans);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        const CommandResult result = Run(c.arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(result.err.starts_with("veltaro-cli remind: ")) << result.err;
        EXPECT_NE(result.err.find(c.problem), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    }
}

TEST_F(RemindCommandTest, ReadsAFolderNamedLikeTheScheduleOption) {
    const std::filesystem::path odd = folder_.Path() / "--schedule";
    std::filesystem::create_directory(odd);
    WriteText(RemindFilePath(odd), PlanFileText(R"(<Item Day="4" Hour="9">m</Item>)", ""));
    const CommandResult result = Run({"--data-dir", odd.string(), "--now", "2008-06-04 10:00:00"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2008/06/04 09:00:00\t\tm\t0\n");
}

TEST_F(RemindCommandTest, IsASubcommandOfTheCompanion) {
    WritePlans(kDatePlans, kWeeklyPlans);
    const std::vector<std::string> arguments = {
        "remind", "--data-dir",          folder_.Path().string(),
        "--now",  "2008-06-04 10:00:00", "--schedule"};
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCli(arguments, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), Run({"--now", "2008-06-04 10:00:00", "--schedule"}).out);

    std::ostringstream help;
    EXPECT_EQ(RunCli(std::vector<std::string>{"remind", "--help"}, help, err), 0);
    EXPECT_NE(help.str().find("--schedule"), std::string::npos) << help.str();
}

}  // namespace
}  // namespace veltaro
