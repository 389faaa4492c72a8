#include "xml/xml_text.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/unicode_text.h"

namespace veltaro {
namespace {

// The Char production of XML 1.0: surrogates, U+FFFE, U+FFFF and most C0 controls are excluded.
bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool IsXmlCharacterData(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const auto codePoint = DecodeUtf8(text, pos);
        if (!codePoint || !IsXmlChar(*codePoint)) {
            return false;
        }
    }
    return true;
}

bool EqualsIgnoringAsciiCase(std::string_view left, std::string_view right) {
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char a, char b) { return FoldAscii(a) == FoldAscii(b); });
}

int ParseLeadingDecimal(std::string_view text) {
    std::size_t position = text.find_first_not_of(" \t\n\v\f\r");
    if (position == std::string_view::npos) {
        return 0;
    }
    const bool negative = text[position] == '-';
    if (negative || text[position] == '+') {
        ++position;
    }
    // One past INT_MAX is the magnitude of INT_MIN; accumulating stops there, so no overflow.
    constexpr std::int64_t kLargestMagnitude = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; position < text.size() && IsAsciiDigit(text[position]); ++position) {
        magnitude = std::min(kLargestMagnitude, magnitude * 10 + (text[position] - '0'));
    }
    const std::int64_t value =
        negative ? -magnitude : std::min<std::int64_t>(magnitude, std::numeric_limits<int>::max());
    return static_cast<int>(value);
}

}  // namespace veltaro
