#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veltaro {

class CTessvarXmlParse;

// The kind of a holiday, sent as Type in the holiday page address.
inline constexpr int kGregorianHoliday = 1;
inline constexpr int kLunarHoliday = 2;

// One holiday found for a date.
struct HolidayEntry {
    int type = 0;      // kGregorianHoliday or kLunarHoliday
    std::string name;  // in the interface language; empty when the file has no name in it
    int id = 0;        // the holiday's identifier on the web site; 0 when the file gives none

    friend bool operator==(const HolidayEntry&, const HolidayEntry&) = default;
};

// The holiday file in the program's data folder.
inline constexpr std::string_view kHolidayFileName = "Holiday.xml";

// The text with which a missing or unreadable holiday file is recreated: the three lists, empty.
inline constexpr std::string_view kDefaultHolidayFileText =
    "<Quorvane><Holiday><SolarHoliday></SolarHoliday><LunarHoliday></LunarHoliday>"
    "<MonthWeekly></MonthWeekly></Holiday></Quorvane>";

// Appends the holidays of a Gregorian date, read from the root of a loaded holiday file: first the
// Gregorian holidays of the day, then the lunar ones, each in document order. Only the first month
// group of each list with the month's "Index" is searched. Lunar holidays of a month are also found
// on the same days of the leap month that follows it; a date without a lunar date (outside
// 1900-01-31..2100-02-08) has no lunar holidays. Names are the "Chinese" attribute when
// `language` is 4, else the "English" one. Returns the number of entries in the list afterwards.
int HolidaysOfDate(const CTessvarXmlParse& holidayRoot, int year, int month, int day, int language,
                   std::vector<HolidayEntry>& entries);

// The quick lookup after a click in the calendar: the Gregorian holidays of a month and day only,
// named by their "Chinese" attribute whatever the interface language. Returns the number of entries
// in the list afterwards.
int SolarHolidaysOfDay(const CTessvarXmlParse& holidayRoot, int month, int day,
                       std::vector<HolidayEntry>& entries);

}  // namespace veltaro
