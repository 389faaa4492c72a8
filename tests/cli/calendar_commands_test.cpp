#include "cli/calendar_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "recorder/recorder_test_support.h"

namespace veltaro {
namespace {

using testing::FakeClock;
using testing::LocalSeconds;
using testing::ReadText;
using testing::TempFolder;

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Through the companion's own subcommand table, as the program runs it.
CliResult RunCompanion(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

void WriteFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// A data folder holding the holiday fixture as its Holiday.xml.
class DataFolder {
public:
    DataFolder() { std::filesystem::copy_file(VELTARO_HOLIDAY_FIXTURE, HolidayFile()); }
    std::string Path() const { return folder_.Path().string(); }
    std::filesystem::path HolidayFile() const { return folder_.Path() / "Holiday.xml"; }

private:
    TempFolder folder_;
};

TEST(LunarCommand, WritesALineADay) {
    const struct {
        std::vector<std::string> arguments;
        std::string out;
    } cases[] = {
        {{"lunar", "2020-05-22", "2020-05-24"},
         "2020-05-22 2020 4 30 0 四月三十\n"
         "2020-05-23 2020 4 1 1 闰四月初一\n"
         "2020-05-24 2020 4 2 1 闰四月初二\n"},
        {{"lunar", "1900-01-31"}, "1900-01-31 1900 1 1 0 正月初一\n"},
        {{"lunar", "2100-02-08", "2100-02-08"}, "2100-02-08 2099 12 30 0 十二月三十\n"},
        {{"lunar", "2033-12-22"}, "2033-12-22 2033 11 1 1 闰十一月初一\n"},
        {{"lunar", "2000-02-04", "--lang", "en"}, "2000-02-04 1999 12 29 0 十二月廿九\n"},
    };
    for (const auto& c : cases) {
        const CliResult result = RunCompanion(c.arguments);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, "");
    }
}

TEST(LunarCommand, CoversTheWholeTable) {
    const CliResult result = RunCompanion({"lunar", "1900-01-31", "2100-02-08"});
    ASSERT_EQ(result.status, 0);
    const std::vector<std::string> lines = LinesOf(result.out);
    EXPECT_EQ(lines.size(), 73058u);  // the days from 1900-01-31 to 2100-02-08
    EXPECT_EQ(lines.back(), "2100-02-08 2099 12 30 0 十二月三十");
}

TEST(TermsCommand, WritesTheTermDaysOfEachYear) {
    const CliResult plain = RunCompanion({"terms", "2024"});
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, "2024 6 20 4 19 5 20 4 19 5 20 5 21 6 22 7 23 7 22 8 23 7 22 6 21\n");

    const CliResult named = RunCompanion({"terms", "--names", "2024"});
    EXPECT_EQ(named.out,
              "2024 6:小寒 20:大寒 4:立春 19:雨水 5:惊蛰 20:春分 4:清明 19:谷雨 5:立夏 20:小满 "
              "5:芒种 21:夏至 6:小暑 22:大暑 7:立秋 23:处暑 7:白露 22:秋分 8:寒露 23:霜降 "
              "7:立冬 22:小雪 6:大雪 21:冬至\n");

    const std::vector<std::string> all = LinesOf(RunCompanion({"terms", "1900", "2100"}).out);
    ASSERT_EQ(all.size(), 201u);
    EXPECT_EQ(all.front().substr(0, 5), "1900 ");
    EXPECT_EQ(all.back().substr(0, 5), "2100 ");
}

TEST(HolidaysCommand, WritesTheHolidaysOfTheDataFolder) {
    const DataFolder data;
    const struct {
        std::vector<std::string> arguments;
        std::string out;
    } cases[] = {
        {{"holidays", "2020-10-01", "--lang", "zh", "--data-dir", data.Path()},
         "1\t115\t国庆节\n1\t31\t国际音乐日\n2\t207\t中秋节\n"},
        {{"holidays", "--data-dir", data.Path(), "--lang", "en", "2020-10-01"},
         "1\t115\tNational Day\n1\t31\tInternational Music Day\n2\t207\tMid-Autumn Festival\n"},
        {{"holidays", "2020-06-01", "--lang", "zh", "--data-dir", data.Path()},
         "2\t50\t四月初十\n"},
        {{"holidays", "2024-07-03", "--data-dir", data.Path()}, ""},
    };
    for (const auto& c : cases) {
        const CliResult result = RunCompanion(c.arguments);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, "");
    }
}

TEST(HolidaysCommand, KeepsEachHolidayOnOneLine) {
    const TempFolder data;
    WriteFile(data.Path() / "Holiday.xml",
              R"(<Quorvane><Holiday><SolarHoliday><M Index="1"><H Day="1" ID="7"
                 Chinese="新&#9;年&#10;第一天"/></M></SolarHoliday></Holiday></Quorvane>)");
    const CliResult result =
        RunCompanion({"holidays", "2024-01-01", "--lang", "zh", "--data-dir", data.Path()});
    EXPECT_EQ(result.out, "1\t7\t新 年 第一天\n");
}

TEST(HolidaysCommand, FindsNoHolidaysWithoutAFile) {
    const TempFolder empty;
    const std::string emptyPath = empty.Path().string();
    const CliResult holidays = RunCompanion({"holidays", "2024-10-01", "--data-dir", emptyPath});
    EXPECT_EQ(holidays.status, 0);
    EXPECT_EQ(holidays.out, "");
    EXPECT_EQ(holidays.err, "");
    const CliResult cal = RunCompanion(
        {"cal", "--lang", "en", "--data-dir", emptyPath, "--now", "2024-10-01 08:00:00"});
    EXPECT_EQ(cal.status, 0);
    EXPECT_EQ(LinesOf(cal.out).back(), "[ ] selected day  * holiday  + weekend");
}

// Without a file of the user's, an installed companion shows the festivals the program ships, as
// the resident program's first file holds them; it writes nothing.
TEST(HolidaysCommand, WithoutAFileReadsTheShippedOne) {
    const TempFolder empty;
    const DataFolder shipped;
    const FakeClock clock(0, 0);
    const CalendarContext context{empty.Path(), 9, clock, shipped.Path()};
    std::ostringstream out;
    std::ostringstream err;
    const std::vector<std::string> arguments = {"2020-10-01"};
    EXPECT_EQ(RunHolidaysCommand(arguments, context, out, err), 0) << err.str();
    EXPECT_EQ(out.str(),
              "1\t115\tNational Day\n1\t31\tInternational Music Day\n2\t207\tMid-Autumn "
              "Festival\n");
    EXPECT_TRUE(std::filesystem::is_empty(empty.Path()));
}

TEST(HolidaysCommand, FailsOnADamagedOrUnreadableFileNamingTheReason) {
    const TempFolder damaged;
    WriteFile(damaged.Path() / "Holiday.xml", "<Quorvane><Holiday>");
    const TempFolder folderInstead;
    std::filesystem::create_directory(folderInstead.Path() / "Holiday.xml");
    const struct {
        const TempFolder* folder;
        std::string problem;
    } cases[] = {
        {&damaged, " cannot be read as a holiday file (not well-formed XML?)\n"},
        {&folderInstead, ": is a directory\n"},
    };
    for (const auto& c : cases) {
        const std::string path = (c.folder->Path() / "Holiday.xml").string();
        const std::string problem =
            c.folder == &damaged ? path + c.problem : "cannot read " + path + c.problem;
        const CliResult holidays =
            RunCompanion({"holidays", "2024-10-01", "--data-dir", c.folder->Path().string()});
        EXPECT_EQ(holidays.status, 1);
        EXPECT_EQ(holidays.out, "");
        EXPECT_EQ(holidays.err, "veltaro-cli holidays: " + problem);
        const CliResult cal = RunCompanion({"cal", "--data-dir", c.folder->Path().string()});
        EXPECT_EQ(cal.status, 1);
        EXPECT_EQ(cal.err, "veltaro-cli cal: " + problem);
    }
    EXPECT_EQ(ReadText(damaged.Path() / "Holiday.xml"), "<Quorvane><Holiday>");
}

TEST(CalCommand, DrawsTheMonthInChinese) {
    const DataFolder data;
    const CliResult result = RunCompanion(
        {"cal", "--lang", "zh", "--data-dir", data.Path(), "--now", "2024-02-10 08:00:00"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "                              2024年2月\n"
              "  星期一    星期二    星期三    星期四    星期五    星期六    星期日\n"
              "                                   1         2         3+        4^\n"
              "                                 廿二      廿三      廿四      立春\n"
              "     5         6         7         8         9       [10]       11+\n"
              "   廿六      廿七      廿八      廿九      三十      正月      初二\n"
              "    12        13        14        15        16        17+       18+\n"
              "   初三      初四      初五      初六      初七      初八      初九\n"
              "    19^       20        21        22        23        24+       25+\n"
              "   雨水      十一      十二      十三      十四      十五      十六\n"
              "    26        27        28        29\n"
              "   十七      十八      十九      廿十\n"
              "[ ] 选中日  ^ 节气  * 节日  + 周末\n"
              "2024-02-10: 春节\n");
}

TEST(CalCommand, DrawsTheMonthInEnglish) {
    const DataFolder data;
    const CliResult result = RunCompanion({"cal", "2024", "9", "--lang", "en", "--data-dir",
                                           data.Path(), "--now", "2024-10-17 23:59:59"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "                            September 2024\n"
              "  Monday   Tuesday  Wednesday  Thursday   Friday   Saturday   Sunday\n"
              "                                                                 1+\n"
              "     2         3         4         5         6         7+        8+\n"
              "     9        10        11        12        13        14+       15+\n"
              "    16       [17]       18        19        20        21+       22+\n"
              "    23        24        25        26        27        28+       29+\n"
              "    30\n"
              "[ ] selected day  * holiday  + weekend\n"
              "2024-09-17: Mid-Autumn Festival\n");
}

TEST(CalCommand, ListsTheCellsOfTheGrid) {
    const DataFolder data;
    const CliResult result =
        RunCompanion({"cal", "2024", "2", "--cells", "--lang", "zh", "--data-dir", data.Path(),
                      "--now", "2024-02-10 08:00:00"});
    EXPECT_EQ(result.status, 0);
    const std::vector<std::string> lines = LinesOf(result.out);
    ASSERT_EQ(lines.size(), 42u);
    EXPECT_EQ(lines[0], "0 0 0 0");
    EXPECT_EQ(lines[3], "0 3 1 0 1|廿二");
    EXPECT_EQ(lines[6], "0 6 4 5 4|立春");
    EXPECT_EQ(lines[12], "1 5 10 1 10|正月");
    EXPECT_EQ(lines[31], "4 3 29 0 29|廿十");
    EXPECT_EQ(lines[41], "5 6 0 0");

    const CliResult english =
        RunCompanion({"cal", "2024", "2", "--cells", "--lang", "en", "--data-dir", data.Path(),
                      "--now", "2024-02-10 08:00:00"});
    EXPECT_EQ(LinesOf(english.out)[6], "0 6 4 3 4");
}

TEST(CalCommand, SelectsTodayByTheLocalClock) {
    const DataFolder data;
    // 04:00 in Shanghai on 1 March is still 29 February in UTC.
    const FakeClock clock(LocalSeconds(2024, 3, 1, 4, 0, 0), 0);
    const CalendarContext context{data.Path(), 9, clock};
    const struct {
        std::vector<std::string> arguments;
        std::string dayLine;  // the first week
    } cases[] = {
        {{}, "                                           [ 1]        2+        3+"},
        // Another month keeps today's day, within that month.
        {{"2024", "4"}, "   [ 1]        2         3         4         5         6+        7+"},
        {{"2024", "2", "--now", "2024-01-31 10:00:00"}, "    26        27        28       [29]"},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCalCommand(c.arguments, context, out, err), 0) << err.str();
        const std::vector<std::string> lines = LinesOf(out.str());
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.dayLine), lines.end()) << out.str();
    }
}

TEST(CalendarCommands, RejectBadArgumentsWithOneLine) {
    const struct {
        std::vector<std::string> arguments;
        std::string err;
    } cases[] = {
        {{"lunar"}, "lunar: needs DATE and at most one DATE2"},
        {{"lunar", "2020-01-01", "2020-01-02", "2020-01-03"},
         "lunar: needs DATE and at most one DATE2"},
        {{"lunar", "2020-02-30"}, "lunar: '2020-02-30' is not a date (YYYY-MM-DD)"},
        {{"lunar", "1900-01-30"},
         "lunar: 1900-01-30 is outside the lunar calendar's 1900-01-31..2100-02-08"},
        {{"lunar", "2100-02-08", "2100-02-09"},
         "lunar: 2100-02-09 is outside the lunar calendar's 1900-01-31..2100-02-08"},
        {{"lunar", "2020-05-24", "2020-05-23"}, "lunar: 2020-05-23 is before 2020-05-24"},
        {{"lunar", "--names", "2020-05-24"}, "lunar: unknown argument '--names'"},
        {{"terms"}, "terms: needs YEAR and at most one YEAR2"},
        {{"terms", "1899"}, "terms: '1899' is not a year from 1900 to 2100"},
        {{"terms", "2024", "2101"}, "terms: '2101' is not a year from 1900 to 2100"},
        {{"terms", "2024", "2023"}, "terms: 2023 is before 2024"},
        {{"terms", "2024", "--cells"}, "terms: unknown argument '--cells'"},
        {{"holidays"}, "holidays: needs one DATE"},
        {{"holidays", "2024-10-01", "2024-10-02"}, "holidays: needs one DATE"},
        {{"holidays", "10-01"}, "holidays: '10-01' is not a date (YYYY-MM-DD)"},
        {{"holidays", "--lang", "fr", "2024-10-01"}, "holidays: --lang needs zh or en, not 'fr'"},
        {{"cal", "2024"}, "cal: needs YEAR and MONTH, or neither"},
        {{"cal", "1899", "12"}, "cal: '1899' is not a year from 1900 to 2100"},
        {{"cal", "2024", "13"}, "cal: '13' is not a month from 1 to 12"},
        {{"cal", "--now", "2024-02-10"},
         "cal: --now needs \"YYYY-MM-DD HH:MM:SS\", not '2024-02-10'"},
        {{"cal", "--data-dir"}, "cal: --data-dir needs a folder"},
        {{"cal", "--now", "1850-01-01 00:00:00"},
         "cal: 1850-01-01 is outside 1900..2100: give YEAR MONTH"},
    };
    for (const auto& c : cases) {
        const CliResult result = RunCompanion(c.arguments);
        EXPECT_EQ(result.status, 2) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "veltaro-cli " + c.err + "\n");
    }
}

TEST(CalendarCommands, ShowTheirUsage) {
    for (const char* command : {"lunar", "terms", "holidays", "cal"}) {
        const CliResult result = RunCompanion({command, "--help"});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out.rfind("usage: veltaro-cli " + std::string(command) + " ", 0), 0u)
            << result.out;
    }
}

}  // namespace
}  // namespace veltaro
