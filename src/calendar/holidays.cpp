#include "calendar/holidays.h"

#include <optional>

#include "calendar/calendar.h"
#include "calendar/lunar_date.h"
#include "platform/interface_language.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {
namespace {

constexpr std::string_view kChineseName = "Chinese";
constexpr std::string_view kEnglishName = "English";

// Absent or empty integer attributes read as 0, which no month or day matches.
int IntegerAttribute(const CTessvarXmlParse& node, std::string_view name) {
    return node.GetAttributeInt(name, 0);
}

// Any element of a list is a month group; only the first with the month's number counts.
const CTessvarXmlParse* FirstMonthGroup(const CTessvarXmlParse& list, int month) {
    for (int index = 0; index < list.GetChildCount(); ++index) {
        const CTessvarXmlParse& group = list.GetChildAt(index);
        if (IntegerAttribute(group, "Index") == month) {
            return &group;
        }
    }
    return nullptr;
}

// `listName` is looked up with the fallback of GetChild, so a file lacking a level is searched one
// level higher, where nothing carries an "Index" and so nothing matches.
void AppendHolidaysOfDay(const CTessvarXmlParse& holidayRoot, std::string_view listName, int month,
                         int day, int type, std::string_view nameAttribute,
                         std::vector<HolidayEntry>& entries) {
    // Month and day numbers start at 1: a 0 would match every group lacking the attribute.
    if (month < 1 || day < 1) {
        return;
    }
    const CTessvarXmlParse& list = holidayRoot.GetChild("Holiday").GetChild(listName);
    const CTessvarXmlParse* group = FirstMonthGroup(list, month);
    if (group == nullptr) {
        return;
    }
    for (int index = 0; index < group->GetChildCount(); ++index) {
        const CTessvarXmlParse& holiday = group->GetChildAt(index);
        if (IntegerAttribute(holiday, "Day") == day) {
            entries.push_back(HolidayEntry{type, holiday.GetAttribute(nameAttribute),
                                           IntegerAttribute(holiday, "ID")});
        }
    }
}

int CountOf(const std::vector<HolidayEntry>& entries) {
    return static_cast<int>(entries.size());
}

}  // namespace

int HolidaysOfDate(const CTessvarXmlParse& holidayRoot, int year, int month, int day, int language,
                   std::vector<HolidayEntry>& entries) {
    const std::string_view nameAttribute =
        ShowsChineseTexts(language) ? kChineseName : kEnglishName;
    AppendHolidaysOfDay(holidayRoot, "SolarHoliday", month, day, kGregorianHoliday, nameAttribute,
                        entries);
    // The leap flag is left out on purpose: a month's holidays recur in its leap month.
    if (const std::optional<LunarDate> lunar = CCalendar().SolarToLunar(year, month, day)) {
        AppendHolidaysOfDay(holidayRoot, "LunarHoliday", lunar->month, lunar->day, kLunarHoliday,
                            nameAttribute, entries);
    }
    return CountOf(entries);
}

int SolarHolidaysOfDay(const CTessvarXmlParse& holidayRoot, int month, int day,
                       std::vector<HolidayEntry>& entries) {
    AppendHolidaysOfDay(holidayRoot, "SolarHoliday", month, day, kGregorianHoliday, kChineseName,
                        entries);
    return CountOf(entries);
}

}  // namespace veltaro
