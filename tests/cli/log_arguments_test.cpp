#include <gtest/gtest.h>

#include "cli/locale_language.h"
#include "cli/log_command.h"

namespace veltaro {
namespace {

TEST(ParseLogArgumentsTest, OptionsOverrideTheDefaults) {
    const LogOptions defaults{"/default", false, kEnglishLanguage};
    const struct {
        std::vector<std::string> arguments;
        LogOptions expected;
        bool help;
    } cases[] = {
        {{}, defaults, false},
        {{"--csv"}, {"/default", true, kEnglishLanguage}, false},
        {{"--lang", "zh", "--data-dir", "/d"}, {"/d", false, kChineseLanguage}, false},
        {{"--lang", "zh", "--lang", "en", "--csv"}, {"/default", true, kEnglishLanguage}, false},
        {{"--help"}, defaults, true},
    };
    for (const auto& c : cases) {
        const ParsedLogArguments parsed = ParseLogArguments(c.arguments, defaults);
        EXPECT_EQ(parsed.error, "") << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(parsed.options.dataFolder, c.expected.dataFolder);
        EXPECT_EQ(parsed.options.csv, c.expected.csv);
        EXPECT_EQ(parsed.options.language, c.expected.language);
        EXPECT_EQ(parsed.help, c.help);
    }
}

TEST(ParseLogArgumentsTest, BadArgumentsAreNamed) {
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{"--data-dir"}, "--data-dir needs a folder"},
        {{"--data-dir", ""}, "--data-dir needs a folder"},
        {{"--lang"}, "--lang needs zh or en"},
        {{"--lang", "fr"}, "--lang needs zh or en, not 'fr'"},
        {{"--csv", "extra"}, "unknown argument 'extra'"},
        {{"--verbose", "--lang", "fr"}, "unknown argument '--verbose'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseLogArguments(c.arguments, {}).error, c.error)
            << ::testing::PrintToString(c.arguments);
    }
}

TEST(LocaleLanguageTest, FirstNonEmptyVariableDecides) {
    const struct {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        int language;
    } cases[] = {
        {nullptr, nullptr, nullptr, kEnglishLanguage},
        {nullptr, nullptr, "zh_CN.UTF-8", kChineseLanguage},
        {"", "", "zh_TW", kChineseLanguage},
        {nullptr, "de_DE.UTF-8", "zh_CN.UTF-8", kEnglishLanguage},
        {"C.UTF-8", "zh_CN.UTF-8", "zh_CN.UTF-8", kEnglishLanguage},
        {"zh_CN.GB2312", nullptr, "en_US.UTF-8", kChineseLanguage},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageOfLocale(c.lcAll, c.lcMessages, c.lang), c.language)
            << (c.lcAll ? c.lcAll : "-") << ' ' << (c.lcMessages ? c.lcMessages : "-") << ' '
            << (c.lang ? c.lang : "-");
    }
}

}  // namespace
}  // namespace veltaro
