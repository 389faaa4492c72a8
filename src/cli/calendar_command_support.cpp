#include "cli/calendar_command_support.h"

#include "calendar/month_grid.h"
#include "cli/operand_text.h"

namespace veltaro {

std::optional<int> ReadCalendarYear(const std::string& text, std::string& problem) {
    const std::optional<int> year = ParseNumberIn(text, kFirstCalendarYear, kLastCalendarYear);
    if (!year) {
        problem = QuotedInput(text) + " is not a year from 1900 to 2100";
    }
    return year;
}

}  // namespace veltaro
