#include "cli/operand_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace veltaro {
namespace {

TEST(ParseDate, TakesOnlyExistingDaysInTheExactForm) {
    const struct {
        const char* text;
        std::optional<LocalDateTime> date;
    } cases[] = {
        {"2024-02-29", LocalDateTime{2024, 2, 29}},
        {"0001-01-01", LocalDateTime{1, 1, 1}},
        {"9999-12-31", LocalDateTime{9999, 12, 31}},
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
        std::optional<LocalDateTime> time;
    } cases[] = {
        {"2024-02-10 08:30:05", LocalDateTime{2024, 2, 10, 8, 30, 5}},
        {"2024-02-10 00:00:00", LocalDateTime{2024, 2, 10, 0, 0, 0}},
        {"2024-02-10 23:59:59", LocalDateTime{2024, 2, 10, 23, 59, 59}},
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

TEST(IsoDateText, WritesEveryDigitOfTheYear) {
    EXPECT_EQ(IsoDateText({1, 2, 3}), "0001-02-03");
    EXPECT_EQ(IsoDateText({1850, 1, 1}), "1850-01-01");
    EXPECT_EQ(IsoDateText({INT_MAX, 12, 31}), "2147483647-12-31");
}

// An argument is echoed in a one-line error: it must stay one line and must not drive the terminal.
TEST(QuotedInput, EscapesControlsAndCutsLongText) {
    const struct {
        std::string text;
        std::string quoted;
    } cases[] = {
        {"fr", "'fr'"},
        {"", "''"},
        {"a\nb\tc\rd", "'a\\nb\\tc\\rd'"},
        {"\x1b[31mred", "'\\x1B[31mred'"},
        {"it's a \\ path", "'it\\'s a \\\\ path'"},
        {"\x7f\xc2\x9b"
         "2J",
         "'\\x7F\\xC2\\x9B2J'"},
        {"春节", "'春节'"},
        {std::string(80, 'x'), "'" + std::string(80, 'x') + "'"},
        {std::string(81, 'x'), "'" + std::string(80, 'x') + "'..."},
        {std::string(100, '\n'), "'" +
                                     [] {
                                         std::string escaped;
                                         for (int i = 0; i < 80; ++i)
                                             escaped += "\\n";
                                         return escaped;
                                     }() +
                                     "'..."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QuotedInput(c.text), c.quoted);
    }
}

}  // namespace
}  // namespace veltaro
