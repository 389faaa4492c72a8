#include "web/page_address.h"

#include <initializer_list>

namespace veltaro {

namespace {

constexpr std::string_view kPlaceholder = "%d";

// The base address followed by the path template with each "%d" replaced, in order, by the next
// value in decimal: what printf's "%d" writes (no padding, a minus sign for negatives).
std::string FilledAddress(std::string_view pathTemplate, std::initializer_list<int> values) {
    std::string address(kWebSiteAddress);
    const int* nextValue = values.begin();
    std::size_t copiedUpTo = 0;
    for (std::size_t found = pathTemplate.find(kPlaceholder);
         found != std::string_view::npos && nextValue != values.end();
         found = pathTemplate.find(kPlaceholder, copiedUpTo)) {
        address += pathTemplate.substr(copiedUpTo, found - copiedUpTo);
        address += std::to_string(*nextValue++);
        copiedUpTo = found + kPlaceholder.size();
    }
    address += pathTemplate.substr(copiedUpTo);
    return address;
}

}  // namespace

std::string StartupPageAddress(int language) {
    return FilledAddress("/veltaro6/veltaro.asp?LangID=%d&Startup=1", {language});
}

std::string StartPageAddress(int language) {
    return FilledAddress("/veltaro6/veltaro.asp?LangID=%d", {language});
}

std::string CalendarPageAddress(int language) {
    return FilledAddress("/veltaro6/Calendar.asp?LangID=%d", {language});
}

std::string ProcessPageAddress(int language) {
    return FilledAddress("/veltaro6/Process.asp?LangID=%d", {language});
}

std::string RemindPageAddress(int language) {
    return FilledAddress("/veltaro6/Remind.asp?LangID=%d", {language});
}

std::string HistoryPageAddress(int year, int month, int day, int language) {
    return FilledAddress("/veltaro6/History.asp?Year=%d&Month=%d&Day=%d&LangID=%d",
                         {year, month, day, language});
}

std::string HolidayPageAddress(int year, int month, int day, int holidayId, int holidayKind,
                               int language) {
    return FilledAddress("/veltaro6/Holiday.asp?Year=%d&Month=%d&Day=%d&ID=%d&Type=%d&LangID=%d",
                         {year, month, day, holidayId, holidayKind, language});
}

}  // namespace veltaro
