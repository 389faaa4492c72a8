#pragma once

#include <span>
#include <vector>

#include "calendar/holidays.h"
#include "calendar/local_date_time.h"

namespace veltaro {

class CStaticLink;

// Shows the first holidays of `day` on `links`, top to bottom, each with its own page; the links
// left over are hidden.
void ShowHolidayLinks(std::span<CStaticLink* const> links,
                      const std::vector<HolidayEntry>& holidays, const LocalDate& day,
                      int language);

// Captions the day's history link and the link to all its holidays in `language`, and aims them
// at the pages of `day`.
void ShowDayPageLinks(CStaticLink& historyLink, CStaticLink& moreLink, const LocalDate& day,
                      int language);

}  // namespace veltaro
