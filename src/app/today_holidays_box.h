#pragma once

#include <QGroupBox>
#include <array>

#include "calendar/local_date_time.h"

namespace veltaro {

class CStaticLink;
class CTessvarXmlParse;

// The "Holiday Info" panel: the first holidays of a day as links to their pages, then the day's
// history page and the page of all its holidays. The main window shows today in it; the calendar
// window fills its own links, arranged its way, by the same rules (holiday_links.h).
class TodayHolidaysBox : public QGroupBox {
    Q_OBJECT

public:
    static constexpr int kHolidayLinkCount = 5;

    explicit TodayHolidaysBox(QWidget* parent = nullptr);

    // Fills the panel for `day` from the holiday file's root, captions in `language`.
    void ShowDay(const CTessvarXmlParse& holidayRoot, const LocalDate& day, int language);

    std::array<CStaticLink*, kHolidayLinkCount> HolidayLinks{};
    CStaticLink* const HistoryTodayLink;
    CStaticLink* const MoreLink;
};

}  // namespace veltaro
