#pragma once

#include <string>
#include <string_view>

namespace veltaro {

// The terminal columns of UTF-8 text: 2 for an East Asian wide character (the Chinese names), 1
// for any other character, 1 for each byte that is not valid UTF-8.
int DisplayWidth(std::string_view text);

// `text` centred in `width` columns with spaces, the odd space on the right; unchanged when it is
// already as wide.
std::string CentredIn(std::string_view text, int width);

}  // namespace veltaro
