#include "cli/text_width.h"

#include <array>
#include <cstdint>
#include <optional>

namespace veltaro {
namespace {

struct CodePointRange {
    char32_t first;
    char32_t last;
};

// The wide blocks of East Asian scripts: Hangul Jamo, CJK radicals to Yi, Hangul syllables, CJK
// compatibility ideographs and forms, full-width forms, and the supplementary ideograph planes.
constexpr std::array<CodePointRange, 8> kWideRanges = {{
    {0x1100, 0x115F},
    {0x2E80, 0xA4CF},
    {0xAC00, 0xD7A3},
    {0xF900, 0xFAFF},
    {0xFE30, 0xFE4F},
    {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6},
    {0x20000, 0x3FFFD},
}};

bool IsWide(char32_t codePoint) {
    for (const CodePointRange& range : kWideRanges) {
        if (codePoint >= range.first && codePoint <= range.last) {
            return true;
        }
    }
    return false;
}

struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

// The character at the start of `text`; empty when its bytes are not valid UTF-8.
std::optional<Decoded> DecodeFirst(std::string_view text) {
    const auto lead = static_cast<std::uint8_t>(text.front());
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || length > text.size()) {
        return std::nullopt;
    }
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return Decoded{codePoint, length};
}

}  // namespace

int DisplayWidth(std::string_view text) {
    int width = 0;
    while (!text.empty()) {
        const std::optional<Decoded> decoded = DecodeFirst(text);
        width += decoded && IsWide(decoded->codePoint) ? 2 : 1;
        text.remove_prefix(decoded ? decoded->length : 1);
    }
    return width;
}

std::string CentredIn(std::string_view text, int width) {
    const int spare = width - DisplayWidth(text);
    if (spare <= 0) {
        return std::string(text);
    }
    const auto left = static_cast<std::size_t>(spare / 2);
    const auto right = static_cast<std::size_t>(spare - spare / 2);
    return std::string(left, ' ') + std::string(text) + std::string(right, ' ');
}

}  // namespace veltaro
