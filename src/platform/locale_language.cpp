#include "platform/locale_language.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

namespace veltaro {

namespace {

// ISO 639 codes and the LANG_* primary ids Windows gives them. Old codes (iw, in, ji) and
// the Norwegian and Serbo-Croatian variants share their language's id as Windows has it.
constexpr std::pair<std::string_view, int> kPrimaryLanguageIds[] = {
    {"af", 0x36},  {"am", 0x5e}, {"ar", 0x01},  {"as", 0x4d},  {"az", 0x2c}, {"ba", 0x6d},
    {"be", 0x23},  {"bg", 0x02}, {"bn", 0x45},  {"bo", 0x51},  {"br", 0x7e}, {"bs", 0x1a},
    {"ca", 0x03},  {"co", 0x83}, {"cs", 0x05},  {"cy", 0x52},  {"da", 0x06}, {"de", 0x07},
    {"dsb", 0x2e}, {"dv", 0x65}, {"el", 0x08},  {"en", 0x09},  {"es", 0x0a}, {"et", 0x25},
    {"eu", 0x2d},  {"fa", 0x29}, {"fi", 0x0b},  {"fil", 0x64}, {"fo", 0x38}, {"fr", 0x0c},
    {"fy", 0x62},  {"ga", 0x3c}, {"gl", 0x56},  {"gu", 0x47},  {"ha", 0x68}, {"he", 0x0d},
    {"hi", 0x39},  {"hr", 0x1a}, {"hsb", 0x2e}, {"hu", 0x0e},  {"hy", 0x2b}, {"id", 0x21},
    {"ig", 0x70},  {"ii", 0x78}, {"in", 0x21},  {"is", 0x0f},  {"it", 0x10}, {"iu", 0x5d},
    {"iw", 0x0d},  {"ja", 0x11}, {"ka", 0x37},  {"kk", 0x3f},  {"kl", 0x6f}, {"km", 0x53},
    {"kn", 0x4b},  {"ko", 0x12}, {"kok", 0x57}, {"ky", 0x40},  {"lb", 0x6e}, {"lo", 0x54},
    {"lt", 0x27},  {"lv", 0x26}, {"mi", 0x81},  {"mk", 0x2f},  {"ml", 0x4c}, {"mn", 0x50},
    {"mr", 0x4e},  {"ms", 0x3e}, {"mt", 0x3a},  {"nb", 0x14},  {"ne", 0x61}, {"nl", 0x13},
    {"nn", 0x14},  {"no", 0x14}, {"oc", 0x82},  {"or", 0x48},  {"pa", 0x46}, {"pl", 0x15},
    {"ps", 0x63},  {"pt", 0x16}, {"rm", 0x17},  {"ro", 0x18},  {"ru", 0x19}, {"rw", 0x87},
    {"sa", 0x4f},  {"se", 0x3b}, {"si", 0x5b},  {"sk", 0x1b},  {"sl", 0x24}, {"sq", 0x1c},
    {"sr", 0x1a},  {"sv", 0x1d}, {"sw", 0x41},  {"ta", 0x49},  {"te", 0x4a}, {"tg", 0x28},
    {"th", 0x1e},  {"tk", 0x42}, {"tl", 0x64},  {"tn", 0x32},  {"tr", 0x1f}, {"tt", 0x44},
    {"ug", 0x80},  {"uk", 0x22}, {"ur", 0x20},  {"uz", 0x43},  {"vi", 0x2a}, {"wo", 0x88},
    {"xh", 0x34},  {"yo", 0x6a}, {"zh", 0x04},  {"zu", 0x35},
};
// The lookup is a binary search.
static_assert(std::is_sorted(std::begin(kPrimaryLanguageIds), std::end(kPrimaryLanguageIds)));

std::string LanguagePart(std::string_view localeName) {
    const auto end = localeName.find_first_of("_.@-");
    std::string language(localeName.substr(0, end));
    std::transform(language.begin(), language.end(), language.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return language;
}

}  // namespace

int PrimaryLanguageIdOf(std::string_view localeName) {
    const std::string language = LanguagePart(localeName);
    const auto* const end = std::end(kPrimaryLanguageIds);
    const auto* const found = std::lower_bound(
        std::begin(kPrimaryLanguageIds), end, language,
        [](const auto& entry, const std::string& code) { return entry.first < code; });
    if (found == end || found->first != language) {
        return kLanguageEnglish;
    }
    return found->second;
}

int UserLanguageId(const EnvironmentLookup& environment) {
    for (const std::string_view variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const std::string value = environment(variable); !value.empty()) {
            return PrimaryLanguageIdOf(value);
        }
    }
    return kLanguageEnglish;
}

}  // namespace veltaro
