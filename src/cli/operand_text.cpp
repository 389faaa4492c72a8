#include "cli/operand_text.h"

#include <charconv>
#include <cstdio>

#include "calendar/gregorian.h"

namespace veltaro {
namespace {

// Exactly `digits` decimal digits at `position`.
std::optional<int> FixedDigits(std::string_view text, std::size_t position, std::size_t digits) {
    if (position + digits > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = position; i < position + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool HasSeparator(std::string_view text, std::size_t position, char separator) {
    return position < text.size() && text[position] == separator;
}

// The "YYYY-MM-DD" at the start of `text`; the caller checks what follows.
std::optional<LocalDateTime> DateAtStart(std::string_view text) {
    const std::optional<int> year = FixedDigits(text, 0, 4);
    const std::optional<int> month = FixedDigits(text, 5, 2);
    const std::optional<int> day = FixedDigits(text, 8, 2);
    if (!year || !month || !day || !HasSeparator(text, 4, '-') || !HasSeparator(text, 7, '-')) {
        return std::nullopt;
    }
    if (*year < 1 || *month < 1 || *month > 12 || *day < 1 ||
        *day > GregorianMonthDays(*year, *month)) {
        return std::nullopt;
    }
    return LocalDateTime{*year, *month, *day, 0, 0, 0};
}

}  // namespace

std::optional<LocalDateTime> ParseDate(std::string_view text) {
    return text.size() == 10 ? DateAtStart(text) : std::nullopt;
}

std::optional<LocalDateTime> ParseDateTime(std::string_view text) {
    std::optional<LocalDateTime> date = text.size() == 19 ? DateAtStart(text) : std::nullopt;
    const std::optional<int> hour = FixedDigits(text, 11, 2);
    const std::optional<int> minute = FixedDigits(text, 14, 2);
    const std::optional<int> second = FixedDigits(text, 17, 2);
    if (!date || !hour || !minute || !second || !HasSeparator(text, 10, ' ') ||
        !HasSeparator(text, 13, ':') || !HasSeparator(text, 16, ':')) {
        return std::nullopt;
    }
    if (*hour > 23 || *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    date->hour = *hour;
    date->minute = *minute;
    date->second = *second;
    return date;
}

std::optional<int> ParseNumberIn(std::string_view text, int first, int last) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < first || value > last) {
        return std::nullopt;
    }
    return value;
}

std::string IsoDateText(const LocalDateTime& date) {
    // Wide enough for every field at the full range of int, so a far year is never cut.
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

namespace {

constexpr std::size_t kQuotedCharacters = 80;

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Escapes for the bytes a terminal could act on; C1 controls arrive as 0xC2 0x80..0x9F.
std::string EscapedByte(unsigned char byte) {
    switch (byte) {
        case '\n':
            return "\\n";
        case '\t':
            return "\\t";
        case '\r':
            return "\\r";
        case '\\':
            return "\\\\";
        case '\'':
            return "\\'";
        default:
            break;
    }
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    return hex;
}

}  // namespace

std::string QuotedInput(std::string_view text) {
    std::string quoted = "'";
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!IsContinuationByte(byte) && ++characters > kQuotedCharacters) {
            return quoted + "'...";
        }
        const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) < 0xA0 &&
                        IsContinuationByte(static_cast<unsigned char>(text[i + 1]));
        if (c1) {
            quoted += EscapedByte(byte) + EscapedByte(static_cast<unsigned char>(text[++i]));
        } else if (byte < 0x20 || byte == 0x7F || byte == '\\' || byte == '\'') {
            quoted += EscapedByte(byte);
        } else {
            quoted += static_cast<char>(byte);
        }
    }
    return quoted + "'";
}

}  // namespace veltaro
