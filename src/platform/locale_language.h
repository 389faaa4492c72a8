#pragma once

#include <string_view>

#include "platform/interface_language.h"
#include "platform/xdg_folders.h"

namespace veltaro {

// The primary language id of a POSIX locale name such as "zh_CN.UTF-8" (language, then optional
// _territory, .codeset and @modifier). "C", "POSIX", an empty name and unknown languages give
// English.
int PrimaryLanguageIdOf(std::string_view localeName);

// The primary language id of the user's message locale: the first non-empty of LC_ALL,
// LC_MESSAGES and LANG, as the C library chooses it.
int UserLanguageId(const EnvironmentLookup& environment = ProcessEnvironment);

}  // namespace veltaro
