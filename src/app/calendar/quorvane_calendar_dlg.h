#pragma once

#include <QDialog>
#include <array>

#include "calendar/local_date_time.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QPushButton;

namespace veltaro {

class Banner;
class CStaticLink;
class CTessvarXmlParse;
class Clock;
class MonthGridView;

// Set while the perpetual calendar is open: the menu and `veltaro-cli open calendar` open it only
// once.
extern bool CalendarWindowOpen;

// The perpetual calendar: one month from January 1900 to December 2100 with its lunar days, solar
// terms, weekends and holidays, navigated by the year and month lists and six buttons; beside it
// the selected day's holidays, history and holiday pages as links. Enter is Today, Escape closes.
class CQuorvaneCalendarDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kHolidayLinkCount = 5;

    // `holidayRoot` and `language` (the program's AppLanguage) outlive the window; the captions
    // follow the language at opening, the grid at each full paint.
    CQuorvaneCalendarDlg(const CTessvarXmlParse& holidayRoot, const int& language,
                         const Clock& clock, QWidget* parent = nullptr);

    // Shows `month` of `year` with `day` selected (kept within the month): in full when the month
    // changes or `full` asks for it, else only the selection moves at once.
    void PaintMonth(int year, int month, int day, bool full);
    LocalDate Selection() const { return selection_; }

    Banner* const PageBanner;
    QFrame* const GridFrame;
    MonthGridView* const Grid;
    QComboBox* const YearList;
    QComboBox* const MonthList;
    QGroupBox* const LinkBox;
    CStaticLink* const HistoryTodayLink;
    const std::array<CStaticLink*, kHolidayLinkCount> HolidayLinks;
    CStaticLink* const MoreLink;
    QPushButton* const LastYearButton;
    QPushButton* const NextYearButton;
    QPushButton* const LastMonthButton;
    QPushButton* const NextMonthButton;
    QPushButton* const TodayButton;
    QPushButton* const CloseButton;

private:
    static std::array<CStaticLink*, kHolidayLinkCount> MakeLinks(QWidget* parent);
    void PlaceControls();
    void SetCaptions();
    void FillLists();
    void ConnectControls();
    void ShowToday();
    void YearChosen(int index);
    void MonthChosen(int index);
    void StepYear(int step);
    void StepMonth(int step);
    void SelectInLists(int year, int month);

    const CTessvarXmlParse& holidayRoot_;
    const int& language_;
    const Clock& clock_;
    LocalDate selection_;
};

}  // namespace veltaro
