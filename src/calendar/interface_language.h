#pragma once

namespace veltaro {

// The interface language value 4 (the primary language identifier of Chinese) selects the Chinese
// texts; every other value selects the English ones.
constexpr bool ShowsChineseTexts(int language) {
    return language == 4;
}

}  // namespace veltaro
