#pragma once

#include <ostream>

#include "calendar/month_grid.h"

namespace veltaro {

// The month as the perpetual calendar shows it, as text: a title, the weekday header, each week
// as a line of day numbers with their marks (and in Chinese a line of lunar days and solar
// terms), the legend of the marks, and the selected day's holidays when it has any. Weeks without
// a day of the month are left out.
void WriteMonthText(const MonthGrid& grid, int language, std::ostream& out);

// The 42 cells, one a line: "<row> <column> <day or 0> <kind>", then a space and the cell's text
// with each line break written as "|" when the cell has text.
void WriteMonthCells(const MonthGrid& grid, std::ostream& out);

}  // namespace veltaro
