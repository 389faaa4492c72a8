#pragma once

#include <string_view>

namespace veltaro {

// True when `text` is well-formed UTF-8 made only of characters an XML 1.0 document can hold.
// Anything else would be written into a file that no parser accepts again.
bool IsXmlCharacterData(std::string_view text);

// The program's element and attribute names are ASCII, so ASCII folding is enough.
bool EqualsIgnoringAsciiCase(std::string_view left, std::string_view right);

// Leading white space, an optional sign, then the decimal digits up to the first other character;
// no digits give 0. Values beyond the range of int are clamped to it.
int ParseLeadingDecimal(std::string_view text);

}  // namespace veltaro
