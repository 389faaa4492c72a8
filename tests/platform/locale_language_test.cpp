#include "platform/locale_language.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace veltaro {
namespace {

using testing::EnvironmentOf;

TEST(PrimaryLanguageIdOf, MapsTheLanguagePartOfALocaleName) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"zh_CN.UTF-8", 4},
        {"zh_TW.Big5", 4},
        {"zh", 4},
        {"ZH_cn", 4},
        {"en_US.UTF-8", 9},
        {"en_GB", 9},
        {"de_DE@euro", 7},
        {"fr_CA.UTF-8", 12},
        {"ja_JP.eucJP", 17},
        {"ko_KR", 18},
        {"es_ES", 10},
        {"ru_RU.KOI8-R", 25},
        {"it_IT", 16},
        {"pt_BR", 0x16},
        {"nb_NO", 0x14},
        {"sr_RS@latin", 0x1a},
        {"fil_PH", 0x64},
        {"C", 9},
        {"C.UTF-8", 9},
        {"POSIX", 9},
        {"", 9},
        {"xx_YY", 9},
        {"z", 9},
        {"zhx_CN", 9},
    };
    for (const auto& [locale, expected] : cases) {
        EXPECT_EQ(PrimaryLanguageIdOf(locale), expected) << locale;
    }
}

TEST(UserLanguageId, TakesTheFirstNonEmptyOfLcAllLcMessagesAndLang) {
    EXPECT_EQ(UserLanguageId(EnvironmentOf({{"LC_ALL", "de_DE"}, {"LC_MESSAGES", "zh_CN"}})), 7);
    EXPECT_EQ(UserLanguageId(
                  EnvironmentOf({{"LC_ALL", ""}, {"LC_MESSAGES", "zh_CN"}, {"LANG", "fr_FR"}})),
              4);
    EXPECT_EQ(UserLanguageId(EnvironmentOf({{"LANG", "ja_JP.UTF-8"}})), 17);
    EXPECT_EQ(UserLanguageId(EnvironmentOf({{"LC_CTYPE", "zh_CN"}})), 9);
}

}  // namespace
}  // namespace veltaro
