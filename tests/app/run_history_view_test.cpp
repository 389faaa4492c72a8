// The run history panel on crafted logs, on Qt's offscreen platform.
#include "app/run_history_view.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "app/static_link.h"
#include "platform/interface_language.h"
#include "recorder/recorder_test_support.h"
#include "widget_test_support.h"

namespace veltaro {
namespace {

using testing::LocalSeconds;
using testing::RunStartedAt;

constexpr std::int64_t kHourMs = 3'600'000;

// A log of `count` past runs of one hour each, a day apart, from 2024-01-01 08:00:00.
PastRuns LogOfHourlyRuns(int count) {
    RunRecords records;
    for (int day = 0; day < count; ++day) {
        records.push_back(RunStartedAt(LocalSeconds(2024, 1, 1 + day, 8, 0, 0), kHourMs));
    }
    return PastRuns(std::move(records));
}

class RunHistoryViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::WidgetApplication(); }

    // The panel over `log`, laid out in a window of its own, hidden until a test shows it.
    RunHistoryView& Open(PastRuns log) {
        runLog = std::move(log);
        view = new RunHistoryView(runLog, currentRun, language, &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(view->RunBox);
        layout->addWidget(view->Trackbar);
        for (QWidget* control : std::initializer_list<QWidget*>{
                 view->LastTimeButton, view->NextTimeButton, view->ThisTimeButton,
                 view->CloseButton, view->AuthorLink}) {
            layout->addWidget(control);
        }
        return *view;
    }

    int language = kLanguageEnglish;
    RunRecord currentRun = RunStartedAt(LocalSeconds(2024, 6, 1, 9, 0, 0), 90'000);
    PastRuns runLog;
    QWidget window;
    RunHistoryView* view = nullptr;
};

TEST_F(RunHistoryViewTest, EmptyLogShowsTheLiveRunAsTheFirst) {
    RunHistoryView& history = Open(PastRuns());
    EXPECT_EQ(history.ViewedRun, 1);
    EXPECT_EQ(history.Trackbar->minimum(), 1);
    EXPECT_EQ(history.Trackbar->maximum(), 1);
    EXPECT_EQ(history.RunBox->title(), "The 1st startup");
    EXPECT_EQ(history.StartupLine->text(), "Startup Time: 2024/06/01 09:00:00");
    EXPECT_EQ(history.ShutdownLine->text(), "Shutdown Time: Unknown");
    EXPECT_EQ(history.RunTimeLine->text(),
              "Run Time: 0 Hours 01 Minutes 30 Seconds  (Sum:0 Days 00 Hours)");
    EXPECT_EQ(history.CumulativeLine->text(),
              "Cumulative Time: 0 Hours 01 Minutes 30 Seconds  (Sum:0 Days 00 Hours)");
    EXPECT_FALSE(history.LastTimeButton->isEnabled());
    EXPECT_FALSE(history.NextTimeButton->isEnabled());
    history.ShowLastTime();
    history.ShowNextTime();
    EXPECT_EQ(history.ViewedRun, 1);
}

TEST_F(RunHistoryViewTest, OrdinalsCaptionsAndStepButtonsAlongTheLog) {
    RunHistoryView& history = Open(LogOfHourlyRuns(22));
    EXPECT_EQ(history.Trackbar->maximum(), 23);
    const struct {
        int run;
        const char* caption;
        bool back;
        bool forward;
    } cases[] = {
        {1, "The 1st startup", false, true},   {2, "The 2nd startup", true, true},
        {3, "The 3rd startup", true, true},    {11, "The 11th startup", true, true},
        {12, "The 12th startup", true, true},  {13, "The 13th startup", true, true},
        {21, "The 21th startup", true, true},  {22, "The 22th startup", true, true},
        {23, "The 23th startup", true, false},
    };
    for (const auto& c : cases) {
        history.ViewedRun = c.run;
        history.RefreshRunView();
        EXPECT_EQ(history.RunBox->title(), c.caption);
        EXPECT_EQ(history.RunBox->accessibleName(), c.caption);
        EXPECT_EQ(history.Trackbar->value(), c.run);
        EXPECT_EQ(history.LastTimeButton->isEnabled(), c.back) << c.run;
        EXPECT_EQ(history.NextTimeButton->isEnabled(), c.forward) << c.run;
    }
    // Run 12 of the log: the eleven hours before it and its own.
    history.ViewedRun = 12;
    history.RefreshRunView();
    EXPECT_EQ(history.CumulativeLine->text(),
              "Cumulative Time: 12 Hours 00 Minutes 00 Seconds  (Sum:0 Days 12 Hours)");
    EXPECT_EQ(history.ShutdownLine->text(), "Shutdown Time: 2024/01/12 09:00:00");
}

TEST_F(RunHistoryViewTest, LongRunsAndAShutdownPastMidnight) {
    RunHistoryView& history = Open(PastRuns(RunRecords{
        RunStartedAt(LocalSeconds(2008, 2, 28, 12, 0, 0), 93'784'000),
        RunStartedAt(LocalSeconds(2008, 3, 1, 23, 30, 0), 3'600'999),
    }));
    history.ShowLastTime();
    history.ShowLastTime();
    ASSERT_EQ(history.ViewedRun, 1);
    EXPECT_EQ(history.RunTimeLine->text(),
              "Run Time: 26 Hours 03 Minutes 04 Seconds  (Sum:1 Days 02 Hours)");
    EXPECT_EQ(history.ShutdownLine->text(), "Shutdown Time: 2008/02/29 14:03:04");
    history.ShowNextTime();
    // The odd 999 ms are dropped; the day and the month roll over.
    EXPECT_EQ(history.ShutdownLine->text(), "Shutdown Time: 2008/03/02 00:30:00");
    EXPECT_EQ(history.CumulativeLine->text(),
              "Cumulative Time: 27 Hours 03 Minutes 04 Seconds  (Sum:1 Days 03 Hours)");
}

TEST_F(RunHistoryViewTest, LanguageSwitchRelabelsEverythingAndKeepsTheRunOnView) {
    RunHistoryView& history = Open(LogOfHourlyRuns(3));
    history.ShowLastTime();
    history.ShowLastTime();
    ASSERT_EQ(history.ViewedRun, 2);
    language = kLanguageChinese;
    history.RefreshRunView();
    EXPECT_EQ(history.ViewedRun, 2);
    EXPECT_EQ(history.RunBox->title(), "第 2 次启动");
    EXPECT_EQ(history.StartupLine->text(), "开机时间: 2024/01/02 08:00:00");
    EXPECT_EQ(history.ShutdownLine->text(), "关机时间: 2024/01/02 09:00:00");
    EXPECT_EQ(history.RunTimeLine->text(), "运行时间: 1 小时 00 分 00 秒  (合计:0 天 01 小时)");
    EXPECT_EQ(history.CumulativeLine->text(), "累积时间: 2 小时 00 分 00 秒  (合计:0 天 02 小时)");
    EXPECT_EQ(history.LastTimeButton->text(), "上一次(&L)");
    EXPECT_EQ(history.NextTimeButton->text(), "下一次(&N)");
    EXPECT_EQ(history.ThisTimeButton->text(), "本次(&T)");
    EXPECT_EQ(history.CloseButton->text(), "关闭(&C)");
    EXPECT_EQ(history.AuthorLink->text(), "作者: Veltaro 工作室");
    language = kLanguageEnglish;
    history.RefreshRunView();
    EXPECT_EQ(history.LastTimeButton->text(), "&Last Time");
    EXPECT_EQ(history.LastTimeButton->accessibleName(), "Last Time");
    EXPECT_EQ(history.CloseButton->text(), "&Close");
}

TEST_F(RunHistoryViewTest, ReleasingTheTrackbarOnAPastRunStopsTheLiveUpdates) {
    RunHistoryView& history = Open(LogOfHourlyRuns(8));
    window.show();
    ASSERT_EQ(history.ViewedRun, 9);
    EXPECT_TRUE(history.UpdatesLiveRun());

    history.Trackbar->setSliderDown(true);
    history.Trackbar->setValue(5);
    EXPECT_EQ(history.ViewedRun, 9) << "a drag shows its run only once released";
    history.Trackbar->setSliderDown(false);
    EXPECT_EQ(history.ViewedRun, 5);
    EXPECT_EQ(history.RunBox->title(), "The 5th startup");
    EXPECT_FALSE(history.UpdatesLiveRun());

    QTest::mouseClick(history.ThisTimeButton, Qt::LeftButton);
    EXPECT_EQ(history.ViewedRun, 9);
    EXPECT_TRUE(history.UpdatesLiveRun());
}

TEST_F(RunHistoryViewTest, KeysOnTheTrackbarShowTheirRunAtOnce) {
    RunHistoryView& history = Open(LogOfHourlyRuns(4));
    window.show();
    history.Trackbar->setFocus();
    QTest::keyClick(history.Trackbar, Qt::Key_Left);
    EXPECT_EQ(history.ViewedRun, 4);
    QTest::keyClick(history.Trackbar, Qt::Key_Home);
    EXPECT_EQ(history.ViewedRun, 1);
    EXPECT_EQ(history.RunBox->title(), "The 1st startup");
}

TEST_F(RunHistoryViewTest, TheLiveRunTicksOnlyWhileTheWindowIsShown) {
    RunHistoryView& history = Open(LogOfHourlyRuns(1));
    EXPECT_FALSE(history.UpdatesLiveRun()) << "hidden: no timer at all";
    window.show();
    EXPECT_TRUE(history.UpdatesLiveRun());
    const QString before = history.RunTimeLine->text();
    // The heartbeat moves the live run on; the panel follows within a second.
    StoreDurationMs(currentRun, 2 * kHourMs);
    EXPECT_TRUE(QTest::qWaitFor([&] { return history.RunTimeLine->text() != before; }, 3000));
    EXPECT_EQ(history.RunTimeLine->text(),
              "Run Time: 2 Hours 00 Minutes 00 Seconds  (Sum:0 Days 02 Hours)");
    window.hide();
    EXPECT_FALSE(history.UpdatesLiveRun());
    // Shown again, it shows the run as it is now, not as it was when hidden.
    StoreDurationMs(currentRun, 3 * kHourMs);
    window.show();
    EXPECT_EQ(history.RunTimeLine->text(),
              "Run Time: 3 Hours 00 Minutes 00 Seconds  (Sum:0 Days 03 Hours)");
    EXPECT_TRUE(history.UpdatesLiveRun());
}

}  // namespace
}  // namespace veltaro
