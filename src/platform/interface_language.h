#pragma once

namespace veltaro {

// The interface language is a Windows primary language id: 4 (Chinese) selects the Chinese texts,
// every other value the English ones. The language commands set 4 or 9; the value also goes into
// the web page addresses as it is.
inline constexpr int kLanguageChinese = 4;
inline constexpr int kLanguageEnglish = 9;

constexpr bool ShowsChineseTexts(int language) {
    return language == kLanguageChinese;
}

}  // namespace veltaro
