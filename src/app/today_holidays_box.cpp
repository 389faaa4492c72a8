#include "app/today_holidays_box.h"

#include <QVBoxLayout>
#include <string>
#include <vector>

#include "app/holiday_links.h"
#include "app/static_link.h"
#include "calendar/holidays.h"
#include "platform/interface_language.h"

namespace veltaro {
namespace {

// Wide enough for the holiday names of the shipped file in either language; longer names of a
// user's own file widen the window rather than being cut off.
constexpr int kPanelWidth = 210;

}  // namespace

TodayHolidaysBox::TodayHolidaysBox(QWidget* parent)
    : QGroupBox(parent), HistoryTodayLink(new CStaticLink(this)), MoreLink(new CStaticLink(this)) {
    setMinimumWidth(kPanelWidth);
    auto* links = new QVBoxLayout(this);
    for (CStaticLink*& link : HolidayLinks) {
        link = new CStaticLink(this);
        // The panel keeps room for every link, so a day with more holidays fits the window.
        QSizePolicy keepRoom = link->sizePolicy();
        keepRoom.setRetainSizeWhenHidden(true);
        link->setSizePolicy(keepRoom);
        link->hide();
        links->addWidget(link);
    }
    // Today's history and all holidays stay at the bottom however many holidays there are.
    links->addStretch();
    links->addWidget(HistoryTodayLink);
    links->addWidget(MoreLink);
}

void TodayHolidaysBox::ShowDay(const CTessvarXmlParse& holidayRoot, const LocalDate& day,
                               int language) {
    std::vector<HolidayEntry> entries;
    HolidaysOfDate(holidayRoot, day.year, day.month, day.day, language, entries);
    ShowHolidayLinks(HolidayLinks, entries, day, language);
    setTitle(ShowsChineseTexts(language) ? QStringLiteral("节日信息")
                                         : QStringLiteral("Holiday Info"));
    setAccessibleName(title());
    ShowDayPageLinks(*HistoryTodayLink, *MoreLink, day, language);
}

}  // namespace veltaro
