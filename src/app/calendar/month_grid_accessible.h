#pragma once

class QWidget;

namespace veltaro {

// Screen readers see the month grid as a table of six rows of day cells under the weekday
// columns. Each cell reads its day and its lunar or solar-term line, says whether it is a holiday,
// a weekend day or a solar-term day, and carries the selected state.
void InstallMonthGridAccessibility();

// Tells the assistive technologies that the cells changed.
void NotifyMonthGridChanged(QWidget* grid);

}  // namespace veltaro
