#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calendar/local_date_time.h"

namespace veltaro {

// "YYYY-MM-DD" naming a day that exists, years 1 to 9999.
std::optional<LocalDateTime> ParseDate(std::string_view text);
// "YYYY-MM-DD HH:MM:SS" with a date as ParseDate takes it and a time of 00:00:00 to 23:59:59.
std::optional<LocalDateTime> ParseDateTime(std::string_view text);
// A decimal number from `first` to `last`, nothing else.
std::optional<int> ParseNumberIn(std::string_view text, int first, int last);

// "YYYY-MM-DD".
std::string IsoDateText(const LocalDateTime& date);

// The user's text as a one-line error may show it: in single quotes, with C-style escapes for
// control characters (newlines, escape sequences), quotes and backslashes, and cut after 80
// characters.
std::string QuotedInput(std::string_view text);

}  // namespace veltaro
