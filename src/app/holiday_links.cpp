#include "app/holiday_links.h"

#include "app/static_link.h"
#include "platform/interface_language.h"
#include "web/page_address.h"

namespace veltaro {

void ShowHolidayLinks(std::span<CStaticLink* const> links,
                      const std::vector<HolidayEntry>& holidays, const LocalDate& day,
                      int language) {
    for (std::size_t index = 0; index < links.size(); ++index) {
        CStaticLink* link = links[index];
        if (index >= holidays.size()) {
            link->hide();
            continue;
        }
        const HolidayEntry& entry = holidays[index];
        link->SetCaption(QString::fromStdString(entry.name));
        link->SetTarget(QString::fromStdString(
            HolidayPageAddress(day.year, day.month, day.day, entry.id, entry.type, language)));
        link->show();
    }
}

void ShowDayPageLinks(CStaticLink& historyLink, CStaticLink& moreLink, const LocalDate& day,
                      int language) {
    const bool chinese = ShowsChineseTexts(language);
    historyLink.SetCaption(chinese ? QStringLiteral("历史上的今天")
                                   : QStringLiteral("History Today"));
    moreLink.SetCaption(chinese ? QStringLiteral("更多...") : QStringLiteral("More..."));
    historyLink.SetTarget(
        QString::fromStdString(HistoryPageAddress(day.year, day.month, day.day, language)));
    moreLink.SetTarget(QString::fromStdString(
        HolidayPageAddress(day.year, day.month, day.day, kAllHolidays, kAllHolidays, language)));
}

}  // namespace veltaro
