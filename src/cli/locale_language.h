#pragma once

namespace veltaro {

// The interface language of a locale: the first non-empty of LC_ALL, LC_MESSAGES and LANG (null
// for an unset variable); Chinese (4) when it starts with "zh", else English (9).
int LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The same for the process environment.
int LocaleLanguage();

}  // namespace veltaro
