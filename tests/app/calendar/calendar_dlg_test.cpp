// The perpetual calendar window on Qt's offscreen platform: captions, navigation and its limits,
// clicks, the links' pages and the keys, with a clock that stands still.
#include "app/calendar/quorvane_calendar_dlg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "app/banner.h"
#include "app/calendar/month_grid_view.h"
#include "app/static_link.h"
#include "fake_clock.h"
#include "platform/interface_language.h"
#include "recorder/recorder_test_support.h"
#include "widget_test_support.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {
namespace {

// 2008-10-01 has seven holidays: five Gregorian ones, then two lunar ones (the 3rd of the ninth
// lunar month).
constexpr std::string_view kHolidayFile = R"(<Quorvane><Holiday>
<SolarHoliday><Month Index="10">
  <Item Day="1" Chinese="国庆节" English="National Day" ID="11"/>
  <Item Day="1" Chinese="国际音乐日" English="Music Day" ID="12"/>
  <Item Day="1" Chinese="老人节" English="Older Persons" ID="13"/>
  <Item Day="1" Chinese="节日四" English="Fourth" ID="14"/>
  <Item Day="1" Chinese="节日五" English="Fifth" ID="15"/>
</Month></SolarHoliday>
<LunarHoliday><Month Index="9">
  <Item Day="3" Chinese="农历六" English="Sixth" ID="16"/>
  <Item Day="3" Chinese="农历七" English="Seventh" ID="17"/>
</Month></LunarHoliday>
<MonthWeekly></MonthWeekly></Holiday></Quorvane>)";

constexpr std::string_view kSite = "https://www.veltaro.com/veltaro6/";

QString Page(const std::string& path) {
    return QString::fromStdString(std::string(kSite) + path);
}

QPoint CellCentre(int row, int column) {
    return MonthGridView::CellRect(row, column).center();
}

class CalendarDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::WidgetApplication(); }
    void SetUp() override { ASSERT_TRUE(holidays.LoadXml(kHolidayFile)); }

    // A window opened on `today` at noon.
    std::unique_ptr<CQuorvaneCalendarDlg> Open(int year, int month, int day) {
        clock.now = testing::LocalSeconds(year, month, day, 12, 0, 0);
        return std::make_unique<CQuorvaneCalendarDlg>(holidays, language, clock);
    }
    // What the window shows: the selection and both lists.
    static LocalDate Shown(const CQuorvaneCalendarDlg& window) {
        EXPECT_EQ(window.YearList->currentIndex() + 1900, window.Selection().year);
        EXPECT_EQ(window.MonthList->currentIndex() + 1, window.Selection().month);
        EXPECT_EQ(window.Grid->Grid().year, window.Selection().year);
        EXPECT_EQ(window.Grid->Grid().month, window.Selection().month);
        EXPECT_EQ(window.Grid->Grid().selectedDay, window.Selection().day);
        return window.Selection();
    }
    static QStringList VisibleHolidays(const CQuorvaneCalendarDlg& window) {
        QStringList names;
        for (const CStaticLink* link : window.HolidayLinks) {
            if (!link->isHidden()) {
                names << link->text();
            }
        }
        return names;
    }

    int language = kLanguageEnglish;
    testing::FakeClock clock{0};
    CTessvarXmlParse holidays;
    testing::OpenedUrls browser;
};

TEST_F(CalendarDlgTest, CaptionsFollowTheLanguageAtOpening) {
    const struct {
        int language;
        const char* title;
        QStringList buttons;
        const char* january;
        const char* history;
        const char* more;
        const char* banner;
    } cases[] = {
        {kLanguageChinese,
         "万年历 - Veltaro",
         {"上一年", "下一年", "上一月", "下一月", "今天", "关闭"},
         "一月",
         "历史上的今天",
         "更多...",
         "Calendar.asp?LangID=4"},
        {kLanguageEnglish,
         "Perpetual Calendar - Veltaro",
         {"Last Year", "Next Year", "Last Month", "Next Month", "Today", "Close"},
         "January",
         "History Today",
         "More...",
         "Calendar.asp?LangID=9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        language = c.language;
        const auto window = Open(2024, 9, 10);
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_TRUE(window->windowFlags().testFlag(Qt::Window)) << "a taskbar entry of its own";
        EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed in size";
        QStringList buttons;
        for (const QPushButton* button :
             {window->LastYearButton, window->NextYearButton, window->LastMonthButton,
              window->NextMonthButton, window->TodayButton, window->CloseButton}) {
            buttons << button->text();
        }
        EXPECT_EQ(buttons, c.buttons);
        EXPECT_TRUE(window->TodayButton->isDefault());
        EXPECT_EQ(window->YearList->count(), 201);
        EXPECT_EQ(window->YearList->itemText(0), "1900");
        EXPECT_EQ(window->YearList->itemText(200), "2100");
        ASSERT_EQ(window->MonthList->count(), 12);
        EXPECT_EQ(window->MonthList->itemText(0), QString::fromUtf8(c.january));
        EXPECT_EQ(window->HistoryTodayLink->text(), QString::fromUtf8(c.history));
        EXPECT_EQ(window->MoreLink->text(), QString::fromUtf8(c.more));
        EXPECT_EQ(window->PageBanner->Address(), Page(c.banner));
        EXPECT_EQ(window->Grid->size(), QSize(476, 234));
        for (const QWidget* control : window->findChildren<QWidget*>()) {
            if (control->isVisibleTo(window.get()) && control->focusPolicy() != Qt::NoFocus) {
                EXPECT_FALSE(control->accessibleName().isEmpty())
                    << control->metaObject()->className();
            }
        }
        // Every control inside the window.
        for (const QWidget* control :
             window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(window->rect().contains(control->geometry()))
                << control->metaObject()->className();
        }
    }
}

TEST_F(CalendarDlgTest, OpensOnTodayWithItsLinks) {
    language = kLanguageEnglish;
    const auto window = Open(2008, 10, 1);
    EXPECT_EQ(Shown(*window), (LocalDate{2008, 10, 1}));
    // Seven holidays: the first five, in the lookup's order, each with its page.
    EXPECT_EQ(VisibleHolidays(*window),
              (QStringList{"National Day", "Music Day", "Older Persons", "Fourth", "Fifth"}));
    EXPECT_EQ(window->HolidayLinks[1]->Target(),
              Page("Holiday.asp?Year=2008&Month=10&Day=1&ID=12&Type=1&LangID=9"));
    EXPECT_EQ(window->HistoryTodayLink->Target(),
              Page("History.asp?Year=2008&Month=10&Day=1&LangID=9"));
    EXPECT_EQ(window->MoreLink->Target(),
              Page("Holiday.asp?Year=2008&Month=10&Day=1&ID=-1&Type=-1&LangID=9"));
    QTest::mouseClick(window->MoreLink, Qt::LeftButton);
    EXPECT_EQ(browser.Opened, QStringList{window->MoreLink->Target()});
}

TEST_F(CalendarDlgTest, ClicksFollowTheHitRuleAndMoveTheLinks) {
    language = kLanguageChinese;
    const auto window = Open(2008, 10, 1);  // 1 October 2008 a Wednesday: column 2
    const struct {
        QPoint point;
        LocalDate shown;
        int holidays;
    } cases[] = {
        {CellCentre(1, 0), {2008, 10, 6}, 0},
        {CellCentre(-1, 2), {2008, 10, 1}, 5},  // the header row counts as the first row
        {CellCentre(-1, 1), {2008, 10, 1}, 5},  // above a blank cell: nothing
        {CellCentre(0, 0), {2008, 10, 1}, 5},   // a blank cell: nothing
        {CellCentre(4, 4), {2008, 10, 31}, 0},
        {CellCentre(5, 0), {2008, 10, 31}, 0},  // blank after the last day
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.point.x() << ',' << c.point.y());
        QTest::mouseClick(window->Grid, Qt::LeftButton, {}, c.point);
        EXPECT_EQ(Shown(*window), c.shown);
        EXPECT_EQ(VisibleHolidays(*window).size(), c.holidays);
        EXPECT_EQ(window->HistoryTodayLink->Target(),
                  Page("History.asp?Year=2008&Month=10&Day=" + std::to_string(c.shown.day) +
                       "&LangID=4"));
    }
    QTest::mouseClick(window->Grid, Qt::LeftButton, {}, CellCentre(-1, 2));
    EXPECT_EQ(window->HolidayLinks[0]->text(), QStringLiteral("国庆节"));
    EXPECT_EQ(window->HolidayLinks[0]->Target(),
              Page("Holiday.asp?Year=2008&Month=10&Day=1&ID=11&Type=1&LangID=4"));
}

TEST_F(CalendarDlgTest, NavigationStopsAtJanuary1900AndDecember2100) {
    const struct {
        LocalDate today;
        QPushButton* const CQuorvaneCalendarDlg::*button;
        LocalDate shown;
    } cases[] = {
        {{1900, 1, 15}, &CQuorvaneCalendarDlg::LastMonthButton, {1900, 1, 15}},
        {{1900, 1, 15}, &CQuorvaneCalendarDlg::LastYearButton, {1900, 1, 15}},
        {{1900, 6, 15}, &CQuorvaneCalendarDlg::LastYearButton, {1900, 6, 15}},
        {{2100, 12, 31}, &CQuorvaneCalendarDlg::NextMonthButton, {2100, 12, 31}},
        {{2100, 12, 31}, &CQuorvaneCalendarDlg::NextYearButton, {2100, 12, 31}},
        {{1950, 1, 20}, &CQuorvaneCalendarDlg::LastMonthButton, {1949, 12, 20}},
        {{1949, 12, 20}, &CQuorvaneCalendarDlg::NextMonthButton, {1950, 1, 20}},
        {{2024, 3, 31}, &CQuorvaneCalendarDlg::LastMonthButton, {2024, 2, 29}},
        {{2024, 2, 29}, &CQuorvaneCalendarDlg::NextYearButton, {2025, 2, 28}},
        {{2099, 6, 1}, &CQuorvaneCalendarDlg::NextYearButton, {2100, 6, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.today.year << '-' << c.today.month << '-' << c.today.day);
        const auto window = Open(c.today.year, c.today.month, c.today.day);
        QTest::mouseClick(window.get()->*c.button, Qt::LeftButton);
        EXPECT_EQ(Shown(*window), c.shown);
    }
}

// The captions keep the language the window opened in; the grid and the links take a language
// switched meanwhile at their next paint, a click included.
TEST_F(CalendarDlgTest, AClickAfterALanguageSwitchPaintsTheGridInTheNewLanguage) {
    language = kLanguageEnglish;
    const auto window = Open(2024, 2, 10);
    language = kLanguageChinese;
    QTest::mouseClick(window->Grid, Qt::LeftButton, {}, CellCentre(0, 6));  // the 4th, 立春
    EXPECT_EQ(window->Grid->Language(), kLanguageChinese);
    EXPECT_EQ(window->Grid->Grid().cells[6].text, "4\n立春");
    EXPECT_EQ(window->Grid->Grid().cells[7].kind, CellKind::Plain);
    EXPECT_EQ(window->HistoryTodayLink->text(), QStringLiteral("历史上的今天"));
    EXPECT_EQ(window->TodayButton->text(), QStringLiteral("Today"));
}

TEST_F(CalendarDlgTest, TheListsCarryTheDayOverWithinTheNewMonth) {
    const auto window = Open(2024, 1, 31);
    window->MonthList->setCurrentIndex(1);
    emit window->MonthList->activated(1);
    EXPECT_EQ(Shown(*window), (LocalDate{2024, 2, 29}));
    window->YearList->setCurrentIndex(2023 - 1900);
    emit window->YearList->activated(2023 - 1900);
    EXPECT_EQ(Shown(*window), (LocalDate{2023, 2, 28}));
    window->MonthList->setCurrentIndex(2);
    emit window->MonthList->activated(2);
    EXPECT_EQ(Shown(*window), (LocalDate{2023, 3, 28})) << "the clamped day is the selection";
}

TEST_F(CalendarDlgTest, EnterIsTodayAndEscapeCloses) {
    const auto window = Open(2024, 9, 10);
    window->show();
    QTest::mouseClick(window->NextYearButton, Qt::LeftButton);
    QTest::mouseClick(window->Grid, Qt::LeftButton, {}, CellCentre(2, 3));
    EXPECT_EQ(Shown(*window), (LocalDate{2025, 9, 18}));
    window->YearList->setFocus();
    QTest::keyClick(window->YearList, Qt::Key_Return);
    EXPECT_EQ(Shown(*window), (LocalDate{2024, 9, 10}));
    EXPECT_TRUE(window->isVisible());
    QSignalSpy rejected(window.get(), &QDialog::rejected);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(rejected.size(), 1);
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace veltaro
