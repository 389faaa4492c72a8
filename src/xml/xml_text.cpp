#include "xml/xml_text.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>

namespace veltaro {
namespace {

struct DecodedChar {
    char32_t codePoint;
    std::size_t length;
};

// The lead byte of a multi-byte UTF-8 sequence: its marker bits, the sequence length and the
// smallest code point that needs that length (anything smaller is an overlong form).
struct Utf8Lead {
    unsigned char markerMask;
    unsigned char marker;
    std::size_t length;
    char32_t smallest;
};

constexpr Utf8Lead kUtf8Leads[] = {
    {0xE0, 0xC0, 2, 0x80},
    {0xF0, 0xE0, 3, 0x800},
    {0xF8, 0xF0, 4, 0x10000},
};

// One shortest-form UTF-8 sequence at the start of a non-empty `text`.
std::optional<DecodedChar> DecodeUtf8(std::string_view text) {
    const auto first = static_cast<unsigned char>(text.front());
    if (first < 0x80) {
        return DecodedChar{first, 1};
    }
    const auto* lead =
        std::find_if(std::begin(kUtf8Leads), std::end(kUtf8Leads),
                     [first](const Utf8Lead& l) { return (first & l.markerMask) == l.marker; });
    if (lead == std::end(kUtf8Leads) || text.size() < lead->length) {
        return std::nullopt;
    }
    char32_t value = first & static_cast<unsigned char>(~lead->markerMask);
    for (std::size_t i = 1; i < lead->length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < lead->smallest) {
        return std::nullopt;
    }
    return DecodedChar{value, lead->length};
}

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
    while (!text.empty()) {
        const auto decoded = DecodeUtf8(text);
        if (!decoded || !IsXmlChar(decoded->codePoint)) {
            return false;
        }
        text.remove_prefix(decoded->length);
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
