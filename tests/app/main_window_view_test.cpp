// The main window's content on Qt's offscreen platform: today's holidays, the banner's pages, the
// links and the keys.
#include "app/main_window_view.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "app/banner.h"
#include "app/run_history_view.h"
#include "app/static_link.h"
#include "app/today_holidays_box.h"
#include "platform/interface_language.h"
#include "recorder/recorder_test_support.h"
#include "widget_test_support.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {
namespace {

// 2024-10-01 has seven holidays: five Gregorian ones, then two lunar ones (the 29th of the eighth
// lunar month).
constexpr std::string_view kHolidayFile = R"(<Quorvane><Holiday>
<SolarHoliday><Month Index="10">
  <Item Day="1" Chinese="国庆节" English="National Day" ID="11"/>
  <Item Day="1" Chinese="国际音乐日" English="International Music Day" ID="12"/>
  <Item Day="1" Chinese="国际老人节" English="International Day of Older Persons" ID="13"/>
  <Item Day="1" Chinese="节日四" English="Fourth" ID="14"/>
  <Item Day="1" Chinese="节日五" English="Fifth" ID="15"/>
</Month></SolarHoliday>
<LunarHoliday><Month Index="8">
  <Item Day="29" Chinese="农历六" English="Sixth" ID="16"/>
  <Item Day="29" Chinese="农历七" English="Seventh" ID="17"/>
</Month></LunarHoliday>
<MonthWeekly></MonthWeekly></Holiday></Quorvane>)";

constexpr LocalDate kSevenHolidays{2024, 10, 1};
constexpr LocalDate kNoHolidays{2024, 10, 2};

QStringList VisibleCaptions(const TodayHolidaysBox& box) {
    QStringList captions;
    std::vector<const CStaticLink*> links(box.HolidayLinks.begin(), box.HolidayLinks.end());
    links.push_back(box.HistoryTodayLink);
    links.push_back(box.MoreLink);
    for (const CStaticLink* link : links) {
        if (!link->isHidden()) {
            captions << link->text();
        }
    }
    return captions;
}

class MainWindowViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::WidgetApplication(); }
    void SetUp() override {
        ASSERT_TRUE(holidays.LoadXml(kHolidayFile));
        auto* layout = new QVBoxLayout(&dialog);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
    }

    int language = kLanguageEnglish;
    PastRuns runLog{RunRecords{testing::RunStartedAt(0, 1000), testing::RunStartedAt(0, 1000)}};
    RunRecord currentRun = testing::RunStartedAt(testing::LocalSeconds(2024, 10, 1, 8, 0, 0), 0);
    CTessvarXmlParse holidays;
    QDialog dialog;
    MainWindowView* view = new MainWindowView(runLog, currentRun, language, &dialog);
    testing::OpenedUrls browser;
};

TEST_F(MainWindowViewTest, ADayOfSevenHolidaysShowsTheFirstFiveWithTheirPages) {
    view->ShowToday(holidays, kSevenHolidays);
    EXPECT_EQ(VisibleCaptions(*view->Holidays),
              (QStringList{"National Day", "International Music Day",
                           "International Day of Older Persons", "Fourth", "Fifth", "History Today",
                           "More..."}));
    const QString base = "https://www.veltaro.com/veltaro6/";
    EXPECT_EQ(view->Holidays->HolidayLinks[1]->Target(),
              base + "Holiday.asp?Year=2024&Month=10&Day=1&ID=12&Type=1&LangID=9");
    EXPECT_EQ(view->Holidays->HistoryTodayLink->Target(),
              base + "History.asp?Year=2024&Month=10&Day=1&LangID=9");
    EXPECT_EQ(view->Holidays->MoreLink->Target(),
              base + "Holiday.asp?Year=2024&Month=10&Day=1&ID=-1&Type=-1&LangID=9");
    EXPECT_EQ(view->Holidays->title(), "Holiday Info");
    // Names longer than the panel widen it rather than being cut off.
    dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
    dialog.show();
    for (const CStaticLink* link : view->Holidays->HolidayLinks) {
        EXPECT_GE(link->width(), link->sizeHint().width()) << link->text().toStdString();
    }

    QTest::mouseClick(view->Holidays->HolidayLinks[4], Qt::LeftButton);
    EXPECT_EQ(browser.Opened,
              QStringList{base + "Holiday.asp?Year=2024&Month=10&Day=1&ID=15&Type=1&LangID=9"});
}

TEST_F(MainWindowViewTest, ADayWithoutHolidaysShowsOnlyItsHistoryAndAllHolidays) {
    view->ShowToday(holidays, kSevenHolidays);
    view->ShowToday(holidays, kNoHolidays);
    EXPECT_EQ(VisibleCaptions(*view->Holidays), (QStringList{"History Today", "More..."}));
}

TEST_F(MainWindowViewTest, LunarHolidaysFollowTheGregorianOnesInChinese) {
    // Two Gregorian holidays less: the lunar ones move up into the five links.
    CTessvarXmlParse fewer;
    std::string text(kHolidayFile);
    for (const char* gone : {R"(<Item Day="1" Chinese="节日四" English="Fourth" ID="14"/>)",
                             R"(<Item Day="1" Chinese="节日五" English="Fifth" ID="15"/>)"}) {
        text.erase(text.find(gone), std::string_view(gone).size());
    }
    ASSERT_TRUE(fewer.LoadXml(text));
    language = kLanguageChinese;
    view->ShowToday(fewer, kSevenHolidays);
    EXPECT_EQ(VisibleCaptions(*view->Holidays),
              (QStringList{"国庆节", "国际音乐日", "国际老人节", "农历六", "农历七", "历史上的今天",
                           "更多..."}));
    EXPECT_TRUE(view->Holidays->HolidayLinks[3]->Target().endsWith("ID=16&Type=2&LangID=4"));
    EXPECT_EQ(view->Holidays->title(), "节日信息");
}

TEST_F(MainWindowViewTest, TheBannerCarriesStartupOnlyAtProgramStart) {
    view->ShowStartupPage();
    EXPECT_EQ(view->PageBanner->Address(),
              "https://www.veltaro.com/veltaro6/veltaro.asp?LangID=9&Startup=1");
    language = kLanguageChinese;
    view->ShowToday(holidays, kNoHolidays);
    EXPECT_EQ(view->PageBanner->Address(), "https://www.veltaro.com/veltaro6/veltaro.asp?LangID=4");
    dialog.show();
    EXPECT_EQ(view->PageBanner->height(), kStretchedBannerHeight);
    EXPECT_EQ(view->PageBanner->width(), dialog.width());
}

TEST_F(MainWindowViewTest, WebSiteAndAuthorLinks) {
    QTest::mouseClick(view->WebSiteLink, Qt::LeftButton);
    QTest::mouseClick(view->History->AuthorLink, Qt::LeftButton);
    EXPECT_EQ(browser.Opened,
              (QStringList{"https://www.veltaro.com", "mailto:author@veltaro.com"}));
}

TEST_F(MainWindowViewTest, LanguageSwitchRelabelsTheHistoryButNotTheHolidays) {
    view->ShowToday(holidays, kSevenHolidays);
    language = kLanguageChinese;
    view->RetranslateHistory();
    EXPECT_EQ(view->History->ThisTimeButton->text(), "本次(&T)");
    EXPECT_EQ(view->History->RunBox->title(), "第 3 次启动");
    EXPECT_EQ(view->Holidays->title(), "Holiday Info");
    EXPECT_EQ(view->Holidays->HolidayLinks[0]->text(), "National Day");
    view->ShowToday(holidays, kSevenHolidays);
    EXPECT_EQ(view->Holidays->HolidayLinks[0]->text(), "国庆节");
}

TEST_F(MainWindowViewTest, EnterIsThisTimeAndTabGoesFromTopToBottom) {
    view->ShowToday(holidays, kSevenHolidays);
    dialog.show();
    view->History->ShowLastTime();
    ASSERT_EQ(view->History->ViewedRun, 2);
    view->History->LastTimeButton->setFocus();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(view->History->ViewedRun, 3);

    view->WebSiteLink->setFocus();
    QStringList order;
    for (QWidget* focus = view->WebSiteLink; order.size() < 14; focus = focus->nextInFocusChain()) {
        if (focus->focusPolicy() & Qt::TabFocus) {
            order << focus->accessibleName();
        }
    }
    EXPECT_EQ(order, (QStringList{"www.veltaro.com", "Author: Veltaro Studio", "National Day",
                                  "International Music Day", "International Day of Older Persons",
                                  "Fourth", "Fifth", "History Today", "More...", "Choose a run",
                                  "Last Time", "Next Time", "This Time", "Close"}));
}

TEST_F(MainWindowViewTest, EveryControlIsNamedForScreenReaders) {
    view->ShowStartupPage();
    view->ShowToday(holidays, kSevenHolidays);
    for (const QWidget* control : view->findChildren<QWidget*>()) {
        const bool named =
            !control->accessibleName().isEmpty() || qobject_cast<const QLabel*>(control) != nullptr;
        EXPECT_TRUE(named) << control->metaObject()->className();
    }
    for (const QLabel* label : view->findChildren<QLabel*>()) {
        EXPECT_FALSE(label->accessibleName().isEmpty()) << label->text().toStdString();
    }
}

}  // namespace
}  // namespace veltaro
