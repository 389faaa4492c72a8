// The usage window on Qt's offscreen platform: its bars against the logic's figures, the period
// switch, readable bars and its captions in both languages.
#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "app/usage/usage_chart.h"
#include "app/usage/usage_dlg.h"
#include "platform/interface_language.h"
#include "recorder/recorder_test_support.h"
#include "widget_test_support.h"

namespace veltaro {
namespace {

using testing::RunStartedAt;

class UsageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::WidgetApplication();
        // Two hours yesterday afternoon, and a live run of one hour this morning.
        pastRuns_ =
            PastRuns({RunStartedAt(testing::LocalSeconds(2024, 5, 5, 14, 0, 0), 7'200'000)});
        live_ = RunStartedAt(clock_.now - 3600, 3'600'000);
    }

    const testing::FakeClock clock_{testing::LocalSeconds(2024, 5, 6, 10, 0, 0)};
    PastRuns pastRuns_;
    RunRecord live_;
};

TEST_F(UsageWindowTest, BarsAreTheLogicsFiguresForEachPeriod) {
    CQuorvaneUsageDlg window(pastRuns_, live_, clock_, kLanguageEnglish);
    const std::int64_t now = clock_.now;
    const UsageTimeline timeline(pastRuns_, live_);
    for (const auto& [period, count] :
         {std::pair{UsagePeriod::kDay, 30}, std::pair{UsagePeriod::kWeek, 26},
          std::pair{UsagePeriod::kMonth, 12}}) {
        window.ShowPeriod(period);
        EXPECT_EQ(window.Chart().Buckets(), timeline.ByPeriod(period, count, now));
    }
    std::int64_t total = 0;
    for (const UsageBucket& bucket : window.Chart().Buckets()) {
        total += bucket.seconds;
    }
    EXPECT_EQ(total, 3 * 3600);
    EXPECT_TRUE(window.SummaryText().startsWith(QStringLiteral("Runs: 2\n")));
}

TEST_F(UsageWindowTest, EveryBarCanBeReadAndHasItsPlace) {
    CQuorvaneUsageDlg window(pastRuns_, live_, clock_, kLanguageChinese);
    window.resize(720, 560);
    window.show();
    const UsageChart& chart = window.Chart();
    QAccessibleInterface* accessible =
        QAccessible::queryAccessibleInterface(const_cast<UsageChart*>(&chart));
    ASSERT_NE(accessible, nullptr);
    ASSERT_EQ(accessible->childCount(), 30);
    EXPECT_TRUE(
        accessible->child(29)->text(QAccessible::Name).endsWith(QStringLiteral("：1.0 小时")));
    EXPECT_EQ(chart.BarAt(chart.BarRect(29).center()), 29);
    EXPECT_GT(chart.BarRect(28).height(), chart.BarRect(29).height()) << "two hours over one";
}

TEST_F(UsageWindowTest, CaptionsFollowTheLanguage) {
    for (const auto& [language, title, close, days] :
         {std::tuple{kLanguageEnglish, "Usage - Veltaro", "&Close", "&Days"},
          std::tuple{kLanguageChinese, "使用统计 - Veltaro", "关闭(&C)", "按日(&D)"}}) {
        CQuorvaneUsageDlg window(pastRuns_, live_, clock_, language);
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8(title));
        bool closeFound = false;
        for (const QPushButton* button : window.findChildren<QPushButton*>()) {
            closeFound = closeFound || (button->text() == QString::fromUtf8(close) &&
                                        button->accessibleName() == button->text());
        }
        EXPECT_TRUE(closeFound);
        const auto radios = window.findChildren<QRadioButton*>();
        ASSERT_EQ(radios.size(), 3);
        EXPECT_EQ(radios[0]->text(), QString::fromUtf8(days));
        EXPECT_TRUE(radios[0]->isChecked());
    }
}

}  // namespace
}  // namespace veltaro
