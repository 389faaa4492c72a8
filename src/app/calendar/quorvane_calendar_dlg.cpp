#include "app/calendar/quorvane_calendar_dlg.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <algorithm>

#include "app/banner.h"
#include "app/calendar/month_grid_view.h"
#include "app/dialog_units.h"
#include "app/holiday_links.h"
#include "app/static_link.h"
#include "calendar/month_grid.h"
#include "platform/clock.h"
#include "platform/interface_language.h"
#include "web/page_address.h"

namespace veltaro {

bool CalendarWindowOpen = false;

namespace {

constexpr int kMonthsInYear = 12;

QRect FromDialogUnits(int x, int y, int width, int height) {
    return {DialogUnitsToPixelsX(x), DialogUnitsToPixelsY(y), DialogUnitsToPixelsX(width),
            DialogUnitsToPixelsY(height)};
}

// At least as tall as the control's own text needs, whatever the desktop's font.
void PlaceAt(QWidget* control, QRect place) {
    place.setHeight(std::max(place.height(), control->sizeHint().height()));
    control->setGeometry(place);
}

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

LocalDate Today(const Clock& clock) {
    return DateOf(LocalDateTimeFromTm(LocalTime(clock.NowSeconds())));
}

}  // namespace

CQuorvaneCalendarDlg::CQuorvaneCalendarDlg(const CTessvarXmlParse& holidayRoot, const int& language,
                                           const Clock& clock, QWidget* parent)
    // Made in tab order: the lists, the links top to bottom, then the buttons.
    : QDialog(parent),
      PageBanner(new Banner(this)),
      GridFrame(new QFrame(this)),
      Grid(new MonthGridView(GridFrame)),
      YearList(new QComboBox(this)),
      MonthList(new QComboBox(this)),
      LinkBox(new QGroupBox(this)),
      HistoryTodayLink(new CStaticLink(this)),
      HolidayLinks(MakeLinks(this)),
      MoreLink(new CStaticLink(this)),
      LastYearButton(new QPushButton(this)),
      NextYearButton(new QPushButton(this)),
      LastMonthButton(new QPushButton(this)),
      NextMonthButton(new QPushButton(this)),
      TodayButton(new QPushButton(this)),
      CloseButton(new QPushButton(this)),
      holidayRoot_(holidayRoot),
      language_(language),
      clock_(clock) {
    // A window of its own with a taskbar entry, fixed in size, with a minimise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    PageBanner->Navigate(CalendarPageAddress(language_), language_);
    FillLists();
    SetCaptions();
    PlaceControls();
    ConnectControls();
    ShowToday();
    YearList->setFocus();
}

std::array<CStaticLink*, CQuorvaneCalendarDlg::kHolidayLinkCount> CQuorvaneCalendarDlg::MakeLinks(
    QWidget* parent) {
    std::array<CStaticLink*, kHolidayLinkCount> links{};
    for (CStaticLink*& link : links) {
        link = new CStaticLink(parent);
    }
    return links;
}

// The places of the window's arrangement, in dialog units.
void CQuorvaneCalendarDlg::PlaceControls() {
    // Month names can be wider than the arrangement's lists in the desktop's font: the lists then
    // take what their longest item needs, and the link area, the Close button and the window grow
    // to the right by as much.
    const QRect year = FromDialogUnits(329, 79, 48, 12);
    const QRect month = FromDialogUnits(378, 79, 42, 12);
    const int yearGrowth = std::max(0, YearList->sizeHint().width() - year.width());
    const int growth = yearGrowth + std::max(0, MonthList->sizeHint().width() - month.width());
    const auto widened = [growth](QRect place) { return place.adjusted(0, 0, growth, 0); };
    const auto moved = [growth](QRect place) { return place.translated(growth, 0); };

    setFixedSize(FromDialogUnits(0, 0, 425, 260).size() + QSize(growth, 0));
    // The banner is two units wider than the window; the window's edge would cut it anyway.
    const QSize banner = BannerSize(BannerPlace::kCalendar);
    PageBanner->setGeometry(0, 0, std::min(banner.width() + growth, width()), banner.height());
    // A black line around the grid closes the last column's and row's cells.
    GridFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
    GridFrame->setLineWidth(1);
    QPalette black = GridFrame->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    GridFrame->setPalette(black);
    const QPoint gridCorner = FromDialogUnits(7, 79, 0, 0).topLeft();
    GridFrame->setGeometry(QRect(gridCorner, Grid->size() + QSize(2, 2)));
    Grid->move(1, 1);
    PlaceAt(YearList, year.adjusted(0, 0, yearGrowth, 0));
    PlaceAt(MonthList, QRect(month.left() + yearGrowth, month.top(),
                             month.width() + growth - yearGrowth, month.height()));
    LinkBox->setGeometry(widened(FromDialogUnits(328, 91, 92, 132)));
    PlaceAt(HistoryTodayLink, widened(FromDialogUnits(330, 99, 83, 16)));
    for (int index = 0; index < kHolidayLinkCount; ++index) {
        PlaceAt(HolidayLinks[static_cast<std::size_t>(index)],
                widened(FromDialogUnits(330, 117 + 18 * index, 90, 16)));
    }
    PlaceAt(MoreLink, widened(FromDialogUnits(332, 210, 76, 8)));
    const std::pair<QPushButton*, int> buttons[] = {
        {LastYearButton, 7},    {NextYearButton, 68}, {LastMonthButton, 129},
        {NextMonthButton, 190}, {TodayButton, 251},
    };
    for (const auto& [button, x] : buttons) {
        PlaceAt(button, FromDialogUnits(x, 233, 50, 14));
    }
    PlaceAt(CloseButton, moved(FromDialogUnits(370, 234, 50, 14)));
}

void CQuorvaneCalendarDlg::FillLists() {
    for (int year = kFirstCalendarYear; year <= kLastCalendarYear; ++year) {
        YearList->addItem(QString::number(year));
    }
    for (const std::string_view name : MonthListNames(language_)) {
        MonthList->addItem(FromStd(name));
    }
}

void CQuorvaneCalendarDlg::SetCaptions() {
    const bool chinese = ShowsChineseTexts(language_);
    const auto caption = [chinese](QWidget* control, const char* inChinese, const char* inEnglish) {
        const QString text = QString::fromUtf8(chinese ? inChinese : inEnglish);
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            button->setText(text);
        }
        control->setAccessibleName(text);
    };
    setWindowTitle(chinese ? QStringLiteral("万年历 - Veltaro")
                           : QStringLiteral("Perpetual Calendar - Veltaro"));
    caption(LastYearButton, "上一年", "Last Year");
    caption(NextYearButton, "下一年", "Next Year");
    caption(LastMonthButton, "上一月", "Last Month");
    caption(NextMonthButton, "下一月", "Next Month");
    caption(TodayButton, "今天", "Today");
    caption(CloseButton, "关闭", "Close");
    caption(YearList, "年", "Year");
    caption(MonthList, "月", "Month");
    caption(Grid, "日历", "Calendar");
    caption(LinkBox, "节日信息", "Holiday Info");
    caption(PageBanner, "Veltaro", "Veltaro");
    TodayButton->setDefault(true);
}

void CQuorvaneCalendarDlg::ConnectControls() {
    connect(YearList, &QComboBox::activated, this, &CQuorvaneCalendarDlg::YearChosen);
    connect(MonthList, &QComboBox::activated, this, &CQuorvaneCalendarDlg::MonthChosen);
    connect(Grid, &MonthGridView::dayClicked, this,
            [this](int day) { PaintMonth(selection_.year, selection_.month, day, false); });
    connect(LastYearButton, &QPushButton::clicked, this, [this] { StepYear(-1); });
    connect(NextYearButton, &QPushButton::clicked, this, [this] { StepYear(1); });
    connect(LastMonthButton, &QPushButton::clicked, this, [this] { StepMonth(-1); });
    connect(NextMonthButton, &QPushButton::clicked, this, [this] { StepMonth(1); });
    connect(TodayButton, &QPushButton::clicked, this, &CQuorvaneCalendarDlg::ShowToday);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CQuorvaneCalendarDlg::ShowToday() {
    const LocalDate today = Today(clock_);
    SelectInLists(today.year, today.month);
    PaintMonth(today.year, today.month, today.day, true);
}

void CQuorvaneCalendarDlg::YearChosen(int index) {
    PaintMonth(kFirstCalendarYear + index, selection_.month, selection_.day, true);
}

void CQuorvaneCalendarDlg::MonthChosen(int index) {
    PaintMonth(selection_.year, index + 1, selection_.day, true);
}

// Nothing happens at the ends of the year list.
void CQuorvaneCalendarDlg::StepYear(int step) {
    const int index = YearList->currentIndex() + step;
    if (index < 0 || index >= YearList->count()) {
        return;
    }
    YearList->setCurrentIndex(index);
    YearChosen(index);
}

// Across the turn of a year the year list moves too; nothing happens before January 1900 or
// after December 2100.
void CQuorvaneCalendarDlg::StepMonth(int step) {
    int year = kFirstCalendarYear + YearList->currentIndex();
    int month = MonthList->currentIndex() + 1 + step;
    if (month < 1 || month > kMonthsInYear) {
        year += step;
        month = month < 1 ? kMonthsInYear : 1;
    }
    if (year < kFirstCalendarYear || year > kLastCalendarYear) {
        return;
    }
    SelectInLists(year, month);
    PaintMonth(year, month, selection_.day, true);
}

void CQuorvaneCalendarDlg::SelectInLists(int year, int month) {
    YearList->setCurrentIndex(year - kFirstCalendarYear);
    MonthList->setCurrentIndex(month - 1);
}

void CQuorvaneCalendarDlg::PaintMonth(int year, int month, int day, bool full) {
    std::optional<MonthGrid> grid = BuildMonthGrid(holidayRoot_, year, month, day, language_);
    if (!grid) {
        return;
    }
    const bool sameMonth = year == selection_.year && month == selection_.month;
    selection_ = {year, month, grid->selectedDay};
    // Texts and addresses change together, so a link never opens another day's page.
    ShowHolidayLinks(HolidayLinks, grid->selectedDayHolidays, selection_, language_);
    ShowDayPageLinks(*HistoryTodayLink, *MoreLink, selection_, language_);
    // A language switched from the tray meanwhile reaches the header and every cell at once.
    if (full || !sameMonth || Grid->Language() != language_) {
        Grid->ShowMonth(std::move(*grid), language_);
    } else {
        Grid->MoveSelection(std::move(*grid));
    }
}

}  // namespace veltaro
