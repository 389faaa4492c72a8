#include "platform/unicode_text.h"

#include <tuple>

namespace veltaro {

std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    // Continuation bytes that follow, the lead's own bits, the smallest code point not overlong.
    const auto [extra, leadBits,
                smallest] = [lead]() -> std::tuple<std::size_t, char32_t, char32_t> {
        if ((lead & 0xE0) == 0xC0) {
            return {1, lead & 0x1Fu, 0x80};
        }
        if ((lead & 0xF0) == 0xE0) {
            return {2, lead & 0x0Fu, 0x800};
        }
        if ((lead & 0xF8) == 0xF0) {
            return {3, lead & 0x07u, 0x10000};
        }
        return {0, 0, 0};
    }();
    if (extra == 0 || text.size() - pos < extra) {
        return std::nullopt;
    }
    char32_t codePoint = leadBits;
    for (std::size_t index = 0; index < extra; ++index) {
        const auto next = static_cast<unsigned char>(text[pos + index]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint < 0xE000)) {
        return std::nullopt;
    }
    pos += extra;
    return codePoint;
}

std::optional<char32_t> DecodeUtf16(std::u16string_view units, std::size_t& pos) {
    const char32_t unit = units[pos++];
    if (unit < 0xD800 || unit >= 0xE000) {
        return unit;
    }
    if (unit >= 0xDC00 || pos == units.size() || units[pos] < 0xDC00 || units[pos] >= 0xE000) {
        return std::nullopt;
    }
    const char32_t low = units[pos++];
    return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
}

void AppendUtf8(std::string& text, char32_t codePoint) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (codePoint < 0x80) {
        text += byte(codePoint);
    } else if (codePoint < 0x800) {
        text += byte(0xC0 | (codePoint >> 6));
        text += byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += byte(0xE0 | (codePoint >> 12));
        text += byte(0x80 | ((codePoint >> 6) & 0x3F));
        text += byte(0x80 | (codePoint & 0x3F));
    } else {
        text += byte(0xF0 | (codePoint >> 18));
        text += byte(0x80 | ((codePoint >> 12) & 0x3F));
        text += byte(0x80 | ((codePoint >> 6) & 0x3F));
        text += byte(0x80 | (codePoint & 0x3F));
    }
}

void AppendUtf16(std::u16string& units, char32_t codePoint) {
    if (codePoint < 0x10000) {
        units += static_cast<char16_t>(codePoint);
        return;
    }
    const char32_t offset = codePoint - 0x10000;
    units += static_cast<char16_t>(0xD800 + (offset >> 10));
    units += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
}

std::optional<std::u16string> Utf16Of(std::string_view utf8, InvalidSequences invalid) {
    std::u16string units;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto codePoint = DecodeUtf8(utf8, pos);
        if (!codePoint && invalid == InvalidSequences::kFail) {
            return std::nullopt;
        }
        AppendUtf16(units, codePoint.value_or(kReplacementCharacter));
    }
    return units;
}

std::optional<std::string> Utf8Of(std::u16string_view units, InvalidSequences invalid) {
    std::string text;
    for (std::size_t pos = 0; pos < units.size();) {
        const auto codePoint = DecodeUtf16(units, pos);
        if (!codePoint && invalid == InvalidSequences::kFail) {
            return std::nullopt;
        }
        AppendUtf8(text, codePoint.value_or(kReplacementCharacter));
    }
    return text;
}

}  // namespace veltaro
