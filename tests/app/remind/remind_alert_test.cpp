// The remind alert on Qt's offscreen platform, its countdown stepped by hand, and the reminders
// of the program (scheduler, alert, action) end to end with a power control that only records.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/banner.h"
#include "app/remind/remind_host.h"
#include "app/remind/remind_info_dlg.h"
#include "fake_clock.h"
#include "remind/remind_file.h"
#include "remind/remind_plan_edit.h"
#include "temp_folder.h"
#include "widget_test_support.h"

namespace veltaro {
namespace {

using testing::FakeClock;

constexpr int kChinese = 4;
constexpr int kEnglish = 9;
// 2006-12-16 20:36:25 in Asia/Shanghai, the tests' time zone.
constexpr std::int64_t kAlertMoment = 1166272585;

class RemindAlertTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::WidgetApplication(); }

    FakeClock clock{kAlertMoment};
    const DueReminder remind{{2006, 12, 16, 20, 36, 25}, 1, "第一行\nsecond line"};
};

TEST_F(RemindAlertTest, ShowsTodayTheReminderAndItsActionInEitherLanguage) {
    const CQuorvaneRemindInfoDlg chinese(remind, kChinese, clock);
    EXPECT_EQ(chinese.windowTitle(), QStringLiteral("提醒激活 - Veltaro"));
    EXPECT_EQ(chinese.DateLine->text(), QStringLiteral("日期:2006/12/16\t农历:2006/10/26"));
    EXPECT_EQ(chinese.TimeLine->text(), QStringLiteral("时间:20:36:25"));
    EXPECT_EQ(chinese.ActionLine->text(), QStringLiteral("功能: 提醒"));
    EXPECT_EQ(chinese.MessageLabel->text(), QStringLiteral("信息"));
    EXPECT_EQ(chinese.ExecuteButton->text(), QStringLiteral("执行(&E)"));
    EXPECT_EQ(chinese.CancelButton->text(), QStringLiteral("取消(&C)"));
    EXPECT_EQ(chinese.PageBanner->Address(),
              QStringLiteral("https://www.veltaro.com/veltaro6/Remind.asp?LangID=4"));

    const CQuorvaneRemindInfoDlg english(remind, kEnglish, clock);
    EXPECT_EQ(english.windowTitle(), QStringLiteral("Remind Active - Veltaro"));
    EXPECT_EQ(english.DateLine->text(),
              QStringLiteral("Date:2006/12/16\tLunar calendar:2006/10/26"));
    EXPECT_EQ(english.TimeLine->text(), QStringLiteral("Time:20:36:25"));
    EXPECT_EQ(english.ActionLine->text(), QStringLiteral("Action: Remind"));
    EXPECT_EQ(english.Message->toPlainText(), QStringLiteral("第一行\nsecond line"));
    EXPECT_TRUE(english.Message->isReadOnly());
    EXPECT_TRUE(english.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(english.ExecuteButton->isDefault());
    for (const QWidget* control : english.findChildren<QWidget*>()) {
        if (qobject_cast<const QLabel*>(control) || qobject_cast<const QPushButton*>(control) ||
            qobject_cast<const QPlainTextEdit*>(control) || qobject_cast<const Banner*>(control)) {
            EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
        }
    }
}

// The date line is the day the alert opens, not the occurrence's (a delayed alert after
// midnight); Restore, empty and unknown codes name themselves as the alert's table says.
TEST_F(RemindAlertTest, DateIsTodaysAndActionNamesFollowTheAlertTable) {
    clock.now += 4 * 3600;  // past midnight: 2006-12-17, lunar 10/27
    const struct {
        int action;
        const char* line;
    } cases[] = {{7, "Action: Restore"}, {0, "Action: "}, {12, "Action: ?"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        const CQuorvaneRemindInfoDlg alert({remind.time, c.action, ""}, kEnglish, clock);
        EXPECT_EQ(alert.DateLine->text(),
                  QStringLiteral("Date:2006/12/17\tLunar calendar:2006/10/27"));
        EXPECT_EQ(alert.ActionLine->text(), QString::fromUtf8(c.line));
    }
}

TEST_F(RemindAlertTest, CountsDownFromThirtyAndAcceptsOnTheTickThatShowsMinusOne) {
    CQuorvaneRemindInfoDlg alert(remind, kEnglish, clock, std::chrono::hours(1));
    alert.show();
    alert.Tick();
    EXPECT_EQ(alert.ExecuteButton->text(), QStringLiteral("Execute(30)"));
    for (int tick = 2; tick <= 31; ++tick) {
        alert.Tick();
    }
    EXPECT_EQ(alert.ExecuteButton->text(), QStringLiteral("Execute(0)"));
    EXPECT_TRUE(alert.isVisible());
    alert.Tick();
    EXPECT_EQ(alert.ExecuteButton->text(), QStringLiteral("Execute(-1)"));
    EXPECT_FALSE(alert.isVisible());
    EXPECT_EQ(alert.result(), QDialog::Accepted);
}

TEST_F(RemindAlertTest, EnterAcceptsEscapeAndCancelSkip) {
    const struct {
        const char* name;
        std::function<void(CQuorvaneRemindInfoDlg&)> answer;
        int result;
    } cases[] = {
        {"Enter", [](auto& alert) { QTest::keyClick(&alert, Qt::Key_Return); }, QDialog::Accepted},
        {"Escape", [](auto& alert) { QTest::keyClick(&alert, Qt::Key_Escape); }, QDialog::Rejected},
        {"Cancel", [](auto& alert) { alert.CancelButton->click(); }, QDialog::Rejected},
        {"Execute", [](auto& alert) { alert.ExecuteButton->click(); }, QDialog::Accepted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CQuorvaneRemindInfoDlg alert(remind, kEnglish, clock, std::chrono::hours(1));
        alert.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&alert));
        c.answer(alert);
        EXPECT_FALSE(alert.isVisible());
        EXPECT_EQ(alert.result(), c.result);
    }
}

// Records the power commands instead of carrying them out.
class RecordingPowerControl final : public PowerControl {
public:
    bool Perform(PowerCommand command) override {
        performed.push_back(command);
        return true;
    }
    std::vector<PowerCommand> performed;
};

QDialog* VisibleAlert() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* alert = qobject_cast<CQuorvaneRemindInfoDlg*>(window);
            alert != nullptr && alert->isVisible()) {
            return alert;
        }
    }
    return nullptr;
}

// A plan due at this very second goes through the real scheduler to the alert; its answer
// decides the action.
class RemindHostTest : public RemindAlertTest {
protected:
    // Opens the alert of a plan with `action` due now and answers it with `answer`.
    std::vector<PowerCommand> AnswerAlertOfPlanDueNow(int action, std::chrono::milliseconds tick,
                                                      const std::function<void(QDialog&)>& answer) {
        CTessvarXmlParse document;
        EXPECT_TRUE(document.LoadXml(kDefaultRemindText));
        const SystemClock now;
        const std::tm due = LocalTime(now.NowSeconds() + 1);
        AppendDatePlan(document, std::to_string(due.tm_year + 1900), std::to_string(due.tm_mon + 1),
                       std::to_string(due.tm_mday), false, action, due.tm_hour, due.tm_min,
                       due.tm_sec, "due");
        RemindSchedule schedule;
        RecordingPowerControl power;
        const int language = kEnglish;
        RemindHost host({document, schedule, folder.Path(), language, now, power, tick});
        host.Rebuild();
        host.Start();
        // The alert runs its own event loop: it is answered from a timer, which runs inside it.
        bool answered = false;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (QDialog* alert = VisibleAlert(); alert != nullptr && !answered) {
                answered = true;
                answer(*alert);
            }
        });
        watcher.start(5);
        EXPECT_TRUE(QTest::qWaitFor([&] { return answered && VisibleAlert() == nullptr; }, 5000))
            << "no alert came, or it never closed";
        QTest::qWait(50);
        host.Stop();
        return power.performed;
    }

    testing::TempFolder folder;
};

TEST_F(RemindHostTest, AnAcceptedAlertCarriesTheActionOutAndACancelledOneNothing) {
    using namespace std::chrono_literals;
    const auto runOut = [](QDialog&) {};  // the shortened countdown accepts by itself
    const auto cancel = [](QDialog& alert) { alert.reject(); };
    EXPECT_EQ(AnswerAlertOfPlanDueNow(6, 5ms, runOut),
              std::vector<PowerCommand>{PowerCommand::Standby});
    EXPECT_EQ(AnswerAlertOfPlanDueNow(2, 5ms, runOut),
              std::vector<PowerCommand>{PowerCommand::Shutdown});
    EXPECT_EQ(AnswerAlertOfPlanDueNow(6, 1h, cancel), std::vector<PowerCommand>{});
    EXPECT_EQ(AnswerAlertOfPlanDueNow(7, 5ms, runOut), std::vector<PowerCommand>{});
    EXPECT_EQ(AnswerAlertOfPlanDueNow(1, 5ms, runOut), std::vector<PowerCommand>{});
}

// A program that keeps running builds the schedule again when a new day begins: a plan for every
// day then comes due on that day too.
TEST_F(RemindHostTest, ANewDayBuildsTheScheduleForIt) {
    CTessvarXmlParse document;
    ASSERT_TRUE(document.LoadXml(kDefaultRemindText));
    ASSERT_TRUE(AppendDatePlan(document, "Any", "Any", "Any", false, 1, 8, 0, 0, "every day"));
    // 2006-12-16 23:59:59 here: the midnight the host aims at passed long ago on the real clock,
    // so its day timer is due at once.
    clock.now = 1166284799;
    RemindSchedule schedule;
    RecordingPowerControl power;
    const int language = kEnglish;
    RemindHost host(
        {document, schedule, folder.Path(), language, clock, power, std::chrono::seconds(1)});
    host.Rebuild();
    ASSERT_EQ(schedule.size(), 1U);
    EXPECT_EQ(schedule.front().time, (LocalDateTime{2006, 12, 16, 8, 0, 0}));
    int rebuilds = 0;
    QObject::connect(&host, &RemindHost::scheduleRebuilt, [&rebuilds] { ++rebuilds; });
    host.Start();
    // Meanwhile the days went by: the rebuild is as of now, 2036-01-01 12:00, after today's 8:00.
    clock.now = 2082772800;

    EXPECT_TRUE(QTest::qWaitFor([&rebuilds] { return rebuilds > 0; }, 2000));
    EXPECT_EQ(schedule.front().time, (LocalDateTime{2036, 1, 1, 8, 0, 0}));
    QTest::qWait(200);
    EXPECT_EQ(rebuilds, 1) << "the next rebuild waits for the next midnight";
    host.Stop();
}

}  // namespace
}  // namespace veltaro
