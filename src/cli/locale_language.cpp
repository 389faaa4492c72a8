#include "cli/locale_language.h"

#include <cstdlib>
#include <string_view>

#include "recorder/history_text.h"

namespace veltaro {

int LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("zh") ? kChineseLanguage : kEnglishLanguage;
        }
    }
    return kEnglishLanguage;
}

int LocaleLanguage() {
    return LanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

}  // namespace veltaro
