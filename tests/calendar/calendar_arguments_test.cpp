#include "cli/calendar_arguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/text_width.h"

namespace veltaro {
namespace {

constexpr int kChinese = 4;
constexpr int kEnglish = 9;

CalendarArguments Parse(const std::vector<std::string>& arguments, CalendarOptionSet accepted) {
    return ParseCalendarArguments(arguments, accepted, "/default", kEnglish);
}

TEST(ParseCalendarArguments, ReadsOptionsAmongTheOperands) {
    const CalendarOptionSet all{.now = true, .names = true, .cells = true};
    const CalendarArguments parsed =
        Parse({"2024", "--lang", "zh", "--data-dir", "/d", "9", "--now", "2024-02-10 08:30:00",
               "--names", "--cells", "-1"},
              all);
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.dataFolder, "/d");
    EXPECT_EQ(parsed.language, kChinese);
    EXPECT_EQ(parsed.now, (CivilDateTime{2024, 2, 10, 8, 30, 0}));
    EXPECT_TRUE(parsed.names);
    EXPECT_TRUE(parsed.cells);
    EXPECT_FALSE(parsed.help);
    // A negative number is an operand, for the subcommand to reject by its range.
    EXPECT_EQ(parsed.operands, (std::vector<std::string>{"2024", "9", "-1"}));

    const CalendarArguments defaults = Parse({"--help"}, {});
    EXPECT_EQ(defaults.error, "");
    EXPECT_EQ(defaults.dataFolder, "/default");
    EXPECT_EQ(defaults.language, kEnglish);
    EXPECT_EQ(defaults.now, std::nullopt);
    EXPECT_TRUE(defaults.help);
}

TEST(ParseCalendarArguments, NamesTheBadArgument) {
    const struct {
        std::vector<std::string> arguments;
        CalendarOptionSet accepted;
        const char* error;
    } cases[] = {
        {{"--data-dir"}, {}, "--data-dir needs a folder"},
        {{"--data-dir", ""}, {}, "--data-dir needs a folder"},
        {{"--lang"}, {}, "--lang needs zh or en"},
        {{"--lang", "fr"}, {}, "--lang needs zh or en, not 'fr'"},
        {{"--now"}, {.now = true}, "--now needs \"YYYY-MM-DD HH:MM:SS\""},
        {{"--now", "2024-02-10"},
         {.now = true},
         "--now needs \"YYYY-MM-DD HH:MM:SS\", not '2024-02-10'"},
        // Options of other subcommands are unknown here.
        {{"--now", "2024-02-10 08:00:00"}, {}, "unknown argument '--now'"},
        {{"--names"}, {.cells = true}, "unknown argument '--names'"},
        {{"--cells"}, {.names = true}, "unknown argument '--cells'"},
        {{"--csv"}, {}, "unknown argument '--csv'"},
        {{"2024", "-x", "--lang", "fr"}, {}, "unknown argument '-x'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parse(c.arguments, c.accepted).error, c.error)
            << ::testing::PrintToString(c.arguments);
    }
}

TEST(ParseDate, TakesOnlyExistingDaysInTheExactForm) {
    const struct {
        const char* text;
        std::optional<CivilDateTime> date;
    } cases[] = {
        {"2024-02-29", CivilDateTime{2024, 2, 29}},
        {"0001-01-01", CivilDateTime{1, 1, 1}},
        {"9999-12-31", CivilDateTime{9999, 12, 31}},
        {"2023-02-29", std::nullopt},
        {"1900-02-29", std::nullopt},
        {"2024-04-31", std::nullopt},
        {"2024-13-01", std::nullopt},
        {"2024-00-10", std::nullopt},
        {"2024-01-00", std::nullopt},
        {"0000-01-01", std::nullopt},
        {"2024-1-01", std::nullopt},
        {"2024/01/01", std::nullopt},
        {"2024-01-01 ", std::nullopt},
        {"+024-01-01", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDate(c.text), c.date) << c.text;
    }
}

TEST(ParseDateTime, TakesATimeOfTheDay) {
    const struct {
        const char* text;
        std::optional<CivilDateTime> time;
    } cases[] = {
        {"2024-02-10 08:30:05", CivilDateTime{2024, 2, 10, 8, 30, 5}},
        {"2024-02-10 00:00:00", CivilDateTime{2024, 2, 10, 0, 0, 0}},
        {"2024-02-10 23:59:59", CivilDateTime{2024, 2, 10, 23, 59, 59}},
        {"2024-02-10 24:00:00", std::nullopt},
        {"2024-02-10 12:60:00", std::nullopt},
        {"2024-02-10 12:00:60", std::nullopt},
        {"2024-02-30 12:00:00", std::nullopt},
        {"2024-02-10T12:00:00", std::nullopt},
        {"2024-02-10 12:00", std::nullopt},
        {"2024-02-10", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDateTime(c.text), c.time) << c.text;
    }
}

TEST(ParseNumberIn, TakesAPlainNumberInRange) {
    EXPECT_EQ(ParseNumberIn("1900", 1900, 2100), 1900);
    EXPECT_EQ(ParseNumberIn("2100", 1900, 2100), 2100);
    for (const char* bad : {"1899", "2101", "", "20x4", " 2024", "2024 ", "+2024", "-1"}) {
        EXPECT_EQ(ParseNumberIn(bad, 1900, 2100), std::nullopt) << bad;
    }
}

TEST(TextWidth, CountsWideCharactersTwice) {
    EXPECT_EQ(DisplayWidth(""), 0);
    EXPECT_EQ(DisplayWidth("Monday"), 6);
    EXPECT_EQ(DisplayWidth("星期一"), 6);
    EXPECT_EQ(DisplayWidth("[10]闰十一月"), 12);
    EXPECT_EQ(DisplayWidth("\xff\xfe"), 2);  // not UTF-8: a column a byte
    EXPECT_EQ(CentredIn("ab", 5), " ab  ");
    EXPECT_EQ(CentredIn("立春", 10), "   立春   ");
    EXPECT_EQ(CentredIn("Wednesday", 4), "Wednesday");
}

}  // namespace
}  // namespace veltaro
