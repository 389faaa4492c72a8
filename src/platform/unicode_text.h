#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace veltaro {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point of the shortest-form UTF-8 sequence at `pos` of `text` (pos < size), moving
// `pos` past it; nothing for an invalid, overlong, surrogate or out-of-range sequence, with `pos`
// moved past its first byte only.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos);

// The code point at `pos` of UTF-16 `units` (pos < size), moving `pos` past it; nothing for a
// lone surrogate.
std::optional<char32_t> DecodeUtf16(std::u16string_view units, std::size_t& pos);

void AppendUtf8(std::string& text, char32_t codePoint);
void AppendUtf16(std::u16string& units, char32_t codePoint);

// What an invalid sequence becomes in a conversion.
enum class InvalidSequences {
    kFail,     // the conversion gives nothing
    kReplace,  // U+FFFD stands for it
};

std::optional<std::u16string> Utf16Of(std::string_view utf8, InvalidSequences invalid);
std::optional<std::string> Utf8Of(std::u16string_view units, InvalidSequences invalid);

}  // namespace veltaro
