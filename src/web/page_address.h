#pragma once

#include <string>
#include <string_view>

namespace veltaro {

// The product web site. Every page address starts with it, and it is a page of its own (the
// main window's web-site link).
inline constexpr std::string_view kWebSiteAddress = "https://www.veltaro.com";
// The author's address behind the main window's author credit.
inline constexpr std::string_view kAuthorMailAddress = "mailto:author@veltaro.com";

// The holiday identifier and kind that ask the holidays page for all holidays of the day.
inline constexpr int kAllHolidays = -1;

// `language` is the interface language at the moment the address is built (4 Chinese, 9
// English, or whatever value was read at start-up). Dates are Gregorian, month 1..12.

// The main window's banner the first time it is shown after the program starts.
std::string StartupPageAddress(int language);
// The main window's banner on every later showing.
std::string StartPageAddress(int language);
std::string CalendarPageAddress(int language);
std::string ProcessPageAddress(int language);
std::string RemindPageAddress(int language);
std::string HistoryPageAddress(int year, int month, int day, int language);
// `holidayId` is the holiday's identifier on the site and `holidayKind` its kind (1 Gregorian, 2
// lunar); kAllHolidays for both asks for every holiday of the day.
std::string HolidayPageAddress(int year, int month, int day, int holidayId, int holidayKind,
                               int language);

}  // namespace veltaro
