#include "cli/command_arguments.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace veltaro {
namespace {

constexpr CommandOptionSet kEveryOption{
    .now = true, .names = true, .cells = true, .csv = true, .schedule = true, .operands = true};

// Every field of the result on one line, so that a case of the table states all of it; after an
// error the other fields don't matter.
std::string Described(const CommandArguments& parsed) {
    if (!parsed.error.empty()) {
        return "error: " + parsed.error;
    }
    std::string text = parsed.dataFolder.string() + " " + std::to_string(parsed.language);
    if (parsed.now) {
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", parsed.now->hour, parsed.now->minute,
                      parsed.now->second);
        text += " now=" + IsoDateText(*parsed.now) + "T" + time;
    }
    for (const auto& [set, name] : {std::pair{parsed.names, " names"},
                                    {parsed.cells, " cells"},
                                    {parsed.csv, " csv"},
                                    {parsed.schedule, " schedule"},
                                    {parsed.help, " help"}}) {
        text += set ? name : "";
    }
    for (const std::string& operand : parsed.operands) {
        text += " [" + operand + "]";
    }
    return text;
}

TEST(ParseCommandArguments, ReadsWhatEachSubcommandTakesOrNamesTheFirstProblem) {
    const struct {
        std::vector<std::string> arguments;
        CommandOptionSet accepted;
        const char* expected;  // as Described writes it
    } cases[] = {
        // What every subcommand takes.
        {{}, {}, "/default 9"},
        {{"--help"}, {}, "/default 9 help"},
        {{"-h"}, {}, "/default 9 help"},
        {{"--lang", "zh", "--data-dir", "/d"}, {}, "/d 4"},
        {{"--lang", "zh", "--lang", "en", "--data-dir", "/d", "--data-dir", "/e"}, {}, "/e 9"},
        // The options of log, terms, cal and remind, among operands where they are taken.
        {{"--csv"}, {.csv = true}, "/default 9 csv"},
        {{"2024", "--names"}, {.names = true, .operands = true}, "/default 9 names [2024]"},
        {{"2024", "--lang", "zh", "--data-dir", "/d", "9", "--now", "2024-02-10 08:30:00",
          "--cells", "-1"},
         {.now = true, .cells = true, .operands = true},
         "/d 4 now=2024-02-10T08:30:00 cells [2024] [9] [-1]"},
        {{"--schedule", "--now", "2008-06-04 23:59:59"},
         {.now = true, .schedule = true},
         "/default 9 now=2008-06-04T23:59:59 schedule"},
        // A value is taken as it is, even when it reads like an option.
        {{"--data-dir", "--schedule", "--schedule"}, {.schedule = true}, "--schedule 9 schedule"},
        {{"--data-dir", "--help"}, {}, "--help 9"},
        {{"-"}, {.operands = true}, "/default 9 [-]"},
        // Problems: the first one is named.
        {{"--data-dir"}, kEveryOption, "error: --data-dir needs a folder"},
        {{"--data-dir", ""}, kEveryOption, "error: --data-dir needs a folder"},
        {{"--lang"}, kEveryOption, "error: --lang needs zh or en"},
        {{"--lang", "fr"}, kEveryOption, "error: --lang needs zh or en, not 'fr'"},
        {{"--lang", "--csv"}, kEveryOption, "error: --lang needs zh or en, not '--csv'"},
        {{"--now"}, kEveryOption, "error: --now needs \"YYYY-MM-DD HH:MM:SS\""},
        {{"--now", "2024-02-10"},
         kEveryOption,
         "error: --now needs \"YYYY-MM-DD HH:MM:SS\", not '2024-02-10'"},
        {{"--now", "2024-02-30 10:00:00"},
         kEveryOption,
         "error: --now needs \"YYYY-MM-DD HH:MM:SS\", not '2024-02-30 10:00:00'"},
        // The options of other subcommands are unknown here.
        {{"--now", "2024-02-10 08:00:00"}, {.csv = true}, "error: unknown argument '--now'"},
        {{"--names"}, {.cells = true}, "error: unknown argument '--names'"},
        {{"--cells"}, {.names = true}, "error: unknown argument '--cells'"},
        {{"--csv"}, {.now = true, .schedule = true}, "error: unknown argument '--csv'"},
        {{"--schedule"}, {.csv = true}, "error: unknown argument '--schedule'"},
        {{"--schedules"}, kEveryOption, "error: unknown argument '--schedules'"},
        {{"2024", "-x", "--lang", "fr"}, kEveryOption, "error: unknown argument '-x'"},
        {{"--verbose", "--lang", "fr"}, kEveryOption, "error: unknown argument '--verbose'"},
        // Operands where a subcommand takes none, log and remind.
        {{"--csv", "extra"}, {.csv = true}, "error: unexpected argument 'extra'"},
        {{"plans", "--lang", "fr"}, {.now = true}, "error: unexpected argument 'plans'"},
        {{"-1"}, {}, "error: unexpected argument '-1'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Described(ParseCommandArguments(c.arguments, c.accepted, "/default", 9)),
                  c.expected)
            << ::testing::PrintToString(c.arguments);
    }
}

}  // namespace
}  // namespace veltaro
