#include <gtest/gtest.h>

#include <string>

#include "web/page_address.h"

namespace veltaro {
namespace {

struct AddressCase {
    std::string built;
    std::string expected;
};

TEST(PageAddress, FillsEveryTemplateAfterTheSiteAddress) {
    const std::string site(kWebSiteAddress);
    const AddressCase cases[] = {
        {StartupPageAddress(4), site + "/veltaro6/veltaro.asp?LangID=4&Startup=1"},
        {StartPageAddress(9), site + "/veltaro6/veltaro.asp?LangID=9"},
        {CalendarPageAddress(4), site + "/veltaro6/Calendar.asp?LangID=4"},
        {CalendarPageAddress(9), site + "/veltaro6/Calendar.asp?LangID=9"},
        {ProcessPageAddress(9), site + "/veltaro6/Process.asp?LangID=9"},
        {RemindPageAddress(4), site + "/veltaro6/Remind.asp?LangID=4"},
        // A language read at start-up may be any number.
        {StartPageAddress(2052), site + "/veltaro6/veltaro.asp?LangID=2052"},
        // No leading zeros in months and days.
        {HistoryPageAddress(2024, 3, 5, 9),
         site + "/veltaro6/History.asp?Year=2024&Month=3&Day=5&LangID=9"},
        {HolidayPageAddress(2024, 3, 5, kAllHolidays, kAllHolidays, 4),
         site + "/veltaro6/Holiday.asp?Year=2024&Month=3&Day=5&ID=-1&Type=-1&LangID=4"},
        {HolidayPageAddress(2025, 10, 1, 12, 2, 9),
         site + "/veltaro6/Holiday.asp?Year=2025&Month=10&Day=1&ID=12&Type=2&LangID=9"},
        {HolidayPageAddress(1900, 12, 31, -2147483647 - 1, 1, 4),
         site + "/veltaro6/Holiday.asp?Year=1900&Month=12&Day=31&ID=-2147483648&Type=1&LangID=4"},
    };
    for (const AddressCase& c : cases) {
        EXPECT_EQ(c.built, c.expected);
    }
}

TEST(PageAddress, SiteAddressIsHttpsWithoutTrailingSlash) {
    const std::string site(kWebSiteAddress);
    EXPECT_EQ(site.rfind("https://", 0), 0u);
    EXPECT_NE(site.back(), '/');
}

}  // namespace
}  // namespace veltaro
