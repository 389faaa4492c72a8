#include "cli/command_defaults.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "recorder/recorder_test_support.h"

namespace veltaro {
namespace {

using testing::TempFolder;

EnvironmentLookup LocaleOf(const char* lang) {
    return [lang](std::string_view name) { return name == "LANG" ? std::string(lang) : ""; };
}

TEST(DefaultLanguage, IsTheStoredDwordElseTheLocaleLanguage) {
    const struct {
        std::optional<SettingValue> stored;
        const char* lang;
        int language;
    } cases[] = {
        {std::nullopt, "zh_CN.UTF-8", 4},
        {std::nullopt, "de_DE.UTF-8", 7},  // kept as it is: it shows the English texts
        {std::nullopt, "", 9},
        {DwordSetting(4), "en_US.UTF-8", 4},
        {DwordSetting(9), "zh_CN.UTF-8", 9},
        {DwordSetting(7), "zh_CN.UTF-8", 7},
        // Only a REG_DWORD counts.
        {StringSetting("4"), "de_DE.UTF-8", 7},
        {SettingValue{SettingType::kBinary, {4, 0, 0, 0}}, "de_DE.UTF-8", 7},
    };
    for (const auto& c : cases) {
        const TempFolder folder;
        FileSettingsStore settings(folder.Path() / "settings.reg");
        if (c.stored) {
            ASSERT_TRUE(settings.Write({{"Language", *c.stored}}));
        }
        EXPECT_EQ(DefaultLanguage(settings, LocaleOf(c.lang)), c.language) << c.lang;
    }
}

TEST(DefaultLanguage, ADamagedSettingsFileLeavesTheLocaleLanguage) {
    const TempFolder folder;
    std::ofstream(folder.Path() / "settings.reg") << "\"Language\"=dword:00000004\n";
    EXPECT_EQ(DefaultLanguage(FileSettingsStore(folder.Path() / "settings.reg"), LocaleOf("fr_FR")),
              12);
}

}  // namespace
}  // namespace veltaro
