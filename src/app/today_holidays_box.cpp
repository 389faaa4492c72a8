#include "app/today_holidays_box.h"

#include <QVBoxLayout>
#include <string>
#include <vector>

#include "app/static_link.h"
#include "calendar/holidays.h"
#include "platform/interface_language.h"
#include "web/page_address.h"

namespace veltaro {
namespace {

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

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
    for (CStaticLink* link : HolidayLinks) {
        link->hide();
    }
    std::vector<HolidayEntry> entries;
    HolidaysOfDate(holidayRoot, day.year, day.month, day.day, language, entries);
    for (std::size_t index = 0; index < entries.size() && index < HolidayLinks.size(); ++index) {
        const HolidayEntry& entry = entries[index];
        CStaticLink* link = HolidayLinks[index];
        link->SetCaption(FromStd(entry.name));
        link->SetTarget(FromStd(
            HolidayPageAddress(day.year, day.month, day.day, entry.id, entry.type, language)));
        link->show();
    }
    const bool chinese = ShowsChineseTexts(language);
    setTitle(chinese ? QStringLiteral("节日信息") : QStringLiteral("Holiday Info"));
    setAccessibleName(title());
    HistoryTodayLink->SetCaption(chinese ? QStringLiteral("历史上的今天")
                                         : QStringLiteral("History Today"));
    MoreLink->SetCaption(chinese ? QStringLiteral("更多...") : QStringLiteral("More..."));
    HistoryTodayLink->SetTarget(
        FromStd(HistoryPageAddress(day.year, day.month, day.day, language)));
    MoreLink->SetTarget(FromStd(
        HolidayPageAddress(day.year, day.month, day.day, kAllHolidays, kAllHolidays, language)));
}

}  // namespace veltaro
