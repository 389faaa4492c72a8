// The remind plan editor on Qt's offscreen platform, on a plan tree in memory and a clock that
// stands on Wednesday 2008-06-04 10:00:00.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimeEdit>
#include <QTreeWidget>

#include "app/remind/remind_dlg.h"
#include "fake_clock.h"
#include "remind/remind_plan_edit.h"
#include "widget_test_support.h"

namespace veltaro {
namespace {

using testing::FakeClock;

constexpr int kChinese = 4;
constexpr int kEnglish = 9;
constexpr std::int64_t kWednesdayTenOClock = 1212544800;

class RemindEditorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::WidgetApplication(); }

    void Load(std::string_view datePlans, std::string_view weeklyPlans) {
        ASSERT_TRUE(document.LoadXml("<Quorvane><RemindList><DateType>" + std::string(datePlans) +
                                     "</DateType><WeeklyType>" + std::string(weeklyPlans) +
                                     "</WeeklyType></RemindList></Quorvane>"));
    }

    std::unique_ptr<CQuorvaneRemindDlg> Open(int language = kEnglish, bool wake = true) {
        return std::make_unique<CQuorvaneRemindDlg>(document, language, clock, wake);
    }

    // Each row's columns joined by '|', and its item value.
    static std::vector<std::pair<QString, int>> Rows(const CQuorvaneRemindDlg& editor) {
        std::vector<std::pair<QString, int>> rows;
        for (int index = 0; index < editor.PlanList->topLevelItemCount(); ++index) {
            const QTreeWidgetItem* row = editor.PlanList->topLevelItem(index);
            QStringList columns;
            for (int column = 0; column < 4; ++column) {
                columns << row->text(column);
            }
            rows.emplace_back(columns.join('|'),
                              row->data(0, CQuorvaneRemindDlg::kItemValueRole).toInt());
        }
        return rows;
    }

    static void Click(CQuorvaneRemindDlg& editor, int row) {
        QTreeWidgetItem* item = editor.PlanList->topLevelItem(row);
        editor.PlanList->setCurrentItem(item);
        emit editor.PlanList->itemClicked(item, 0);
    }

    static std::vector<QWidget*> Inputs(const CQuorvaneRemindDlg& editor) {
        std::vector<QWidget*> inputs = {
            editor.DateRadio, editor.WeeklyRadio,  editor.YearList,    editor.MonthList,
            editor.DayList,   editor.LunarBox,     editor.TimePicker,  editor.ActionList,
            editor.Message,   editor.SetTimeLabel, editor.ActionLabel, editor.MessageLabel};
        inputs.insert(inputs.end(), editor.WeekdayBoxes.begin(), editor.WeekdayBoxes.end());
        return inputs;
    }

    CTessvarXmlParse document;
    FakeClock clock{kWednesdayTenOClock};
};

TEST_F(RemindEditorTest, OpensWithEveryInputDisabledAndNewPlanThenSaveAddsADatePlan) {
    Load("", "");
    const auto editor = Open();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Remind Plan - Veltaro"));
    EXPECT_EQ(editor->PlanList->topLevelItemCount(), 0);
    for (QWidget* input : Inputs(*editor)) {
        EXPECT_FALSE(input->isEnabled()) << input->accessibleName().toStdString();
    }
    EXPECT_FALSE(editor->DateRadio->isChecked() || editor->WeeklyRadio->isChecked());
    for (QWidget* always :
         {static_cast<QWidget*>(editor->PlanList), static_cast<QWidget*>(editor->NewPlanButton),
          static_cast<QWidget*>(editor->DeleteButton),
          static_cast<QWidget*>(editor->CloseButton)}) {
        EXPECT_TRUE(always->isEnabled());
    }
    EXPECT_EQ(editor->YearList->count(), 132);
    EXPECT_EQ(editor->YearList->itemText(131), QStringLiteral("2100"));
    EXPECT_EQ(editor->ActionList->itemText(7), QStringLiteral("Restore(PowerOn)"));

    QSignalSpy changes(editor.get(), &CQuorvaneRemindDlg::plansChanged);
    editor->NewPlanButton->click();
    EXPECT_EQ(editor->NewPlanButton->text(), QStringLiteral("&Save"));
    EXPECT_TRUE(editor->DateRadio->isChecked());
    for (QWidget* input :
         {static_cast<QWidget*>(editor->YearList), static_cast<QWidget*>(editor->LunarBox),
          static_cast<QWidget*>(editor->TimePicker), static_cast<QWidget*>(editor->Message)}) {
        EXPECT_TRUE(input->isEnabled()) << input->accessibleName().toStdString();
    }
    EXPECT_FALSE(editor->WeekdayBoxes[0]->isEnabled());

    editor->NewPlanButton->click();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(editor->NewPlanButton->text(), QStringLiteral("&New Plan"));
    EXPECT_FALSE(editor->YearList->isEnabled());
    const CTessvarXmlParse& plan = GetDatePlanList(document).GetChildAt(0);
    EXPECT_EQ(plan.GetAttribute("Year"), "Any");
    EXPECT_EQ(plan.GetAttribute("Day"), "Any");
    EXPECT_EQ(plan.GetAttribute("Action"), "0");
    EXPECT_EQ(plan.GetAttribute("Hour"), "10");
    EXPECT_EQ(plan.GetText(), "");
    EXPECT_EQ(Rows(*editor),
              (std::vector<std::pair<QString, int>>{{"2008/06/04 10:00:00|||0", 0}}));
}

TEST_F(RemindEditorTest, ChineseWildcardsAreStoredInChinese) {
    Load("", "");
    const auto editor = Open(kChinese);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("提醒计划 - Veltaro"));
    EXPECT_EQ(editor->NewPlanButton->text(), QStringLiteral("新计划(&N)"));
    editor->NewPlanButton->click();
    EXPECT_EQ(editor->NewPlanButton->text(), QStringLiteral("保存(&S)"));
    editor->NewPlanButton->click();
    EXPECT_EQ(GetDatePlanList(document).GetChildAt(0).GetAttribute("Month"), "任意");
}

TEST_F(RemindEditorTest, ListsEachPlanWithItsOccurrenceActionMessageAndDays) {
    Load(R"(<Item Year="2008" Month="6" Day="15" Hour="9" Action="2">A</Item>)"
         R"(<Item Year="2008" Month="2" Day="31" Hour="9" Action="12">hand-edited</Item>)",
         R"(<Item Weekly="17" Hour="7" Minute="5" Second="30" Action="7">W</Item>)");
    const auto english = Open();
    EXPECT_EQ(Rows(*english), (std::vector<std::pair<QString, int>>{
                                  {"2008/06/15 09:00:00|Shutdown|A|11", 0},
                                  {"2008/02/31 09:00:00|?|hand-edited|never", 1},
                                  {"Friday     07:05:30|Restore(PowerOn)|W|2", 500}}));
    const auto chinese = Open(kChinese);
    EXPECT_EQ(Rows(*chinese)[1].first, QStringLiteral("2008/02/31 09:00:00|?|hand-edited|never"));
    EXPECT_EQ(Rows(*chinese)[2].first, QStringLiteral("星期五     07:05:30|恢复(开机)|W|2"));

    // The clock was set a day on: the rows follow once filled again.
    clock.now += 24 * 3600;
    english->FillPlanList();
    EXPECT_EQ(Rows(*english)[0].first, QStringLiteral("2008/06/15 09:00:00|Shutdown|A|10"));
    EXPECT_EQ(Rows(*english)[2].first, QStringLiteral("Friday     07:05:30|Restore(PowerOn)|W|1"));
}

TEST_F(RemindEditorTest, DeletesOnlyTheTopmostSelectedPlanAndNothingWithoutASelection) {
    Load(R"(<Item Day="10">first</Item><Item Day="11">second</Item><Item Day="12">third</Item>)",
         R"(<Item Weekly="1">weekly</Item>)");
    const auto editor = Open();
    QSignalSpy changes(editor.get(), &CQuorvaneRemindDlg::plansChanged);
    editor->DeleteButton->click();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(editor->PlanList->topLevelItemCount(), 4);

    editor->PlanList->topLevelItem(0)->setSelected(true);
    editor->PlanList->topLevelItem(2)->setSelected(true);
    editor->DeleteButton->click();
    EXPECT_EQ(changes.count(), 1);
    const auto rows = Rows(*editor);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[0].first.endsWith("|second|7")) << rows[0].first.toStdString();
    EXPECT_EQ(rows[0].second, 0);
    EXPECT_EQ(rows[1].second, 1);
    EXPECT_TRUE(rows[2].first.endsWith("|weekly|5")) << rows[2].first.toStdString();
    EXPECT_EQ(rows[2].second, 500);
}

TEST_F(RemindEditorTest, AClickedPlanFillsTheInputsAndServesAsTheStartOfANewOne) {
    Load(R"(<Item Lunar="1" Year="1970" Month="8" Day="15" Hour="20" Action="1">moon</Item>)"
         R"(<Item Year="2101" Month="13" Day="40" Action="9">hand-edited</Item>)",
         R"(<Item Weekly="17" Hour="7" Minute="5" Second="30" Action="6">weekly</Item>)");
    const auto editor = Open();
    Click(*editor, 0);
    EXPECT_TRUE(editor->DateRadio->isChecked());
    EXPECT_EQ(editor->YearList->currentIndex(), 1);
    EXPECT_EQ(editor->MonthList->currentIndex(), 8);
    EXPECT_EQ(editor->DayList->currentIndex(), 15);
    EXPECT_TRUE(editor->LunarBox->isChecked());
    EXPECT_EQ(editor->ActionList->currentIndex(), 1);
    EXPECT_EQ(editor->TimePicker->time(), QTime(20, 0, 0));
    EXPECT_EQ(editor->Message->toPlainText(), QStringLiteral("moon"));
    EXPECT_FALSE(editor->YearList->isEnabled()) << "a click enables nothing";

    // Values the lists lack leave them without a choice; a save then stores the first entries.
    Click(*editor, 1);
    EXPECT_EQ(editor->YearList->currentIndex(), -1);
    EXPECT_EQ(editor->MonthList->currentIndex(), -1);
    EXPECT_EQ(editor->DayList->currentIndex(), -1);
    EXPECT_EQ(editor->ActionList->currentIndex(), -1);
    editor->NewPlanButton->click();
    editor->NewPlanButton->click();
    const CTessvarXmlParse& saved = GetDatePlanList(document).GetChildAt(2);
    EXPECT_EQ(saved.GetAttribute("Year"), "Any");
    EXPECT_EQ(saved.GetAttribute("Month"), "Any");
    EXPECT_EQ(saved.GetAttribute("Day"), "Any");
    EXPECT_EQ(saved.GetAttribute("Action"), "0");
    EXPECT_EQ(saved.GetText(), "hand-edited");

    Click(*editor, 3);  // the weekly plan, after the three date plans
    EXPECT_TRUE(editor->WeeklyRadio->isChecked());
    EXPECT_FALSE(editor->DateRadio->isChecked());
    EXPECT_EQ(editor->MonthList->currentIndex(), 0);
    EXPECT_FALSE(editor->LunarBox->isChecked());
    std::vector<bool> ticked;
    for (const QCheckBox* box : editor->WeekdayBoxes) {
        ticked.push_back(box->isChecked());
    }
    EXPECT_EQ(ticked, (std::vector<bool>{true, false, false, false, true, false, false}));
    editor->NewPlanButton->click();
    EXPECT_TRUE(editor->WeekdayBoxes[2]->isEnabled());
    EXPECT_FALSE(editor->YearList->isEnabled());
    editor->NewPlanButton->click();
    ASSERT_EQ(GetWeeklyPlanList(document).GetChildCount(), 2);
    const CTessvarXmlParse& copy = GetWeeklyPlanList(document).GetChildAt(1);
    EXPECT_EQ(copy.GetAttribute("Weekly"), "17");
    EXPECT_EQ(copy.GetAttribute("Action"), "6");
    EXPECT_EQ(copy.GetAttribute("Second"), "30");
    EXPECT_EQ(copy.GetText(), "weekly");
}

TEST_F(RemindEditorTest, RefusesTheFiveHundredAndFirstDatePlanButTakesAWeeklyOne) {
    Load("", "");
    for (int index = 0; index < kDatePlanLimit; ++index) {
        ASSERT_TRUE(AppendDatePlan(document, "Any", "Any", "1", false, 1, 9, 0, 0, "m"));
    }
    const auto editor = Open();
    QSignalSpy changes(editor.get(), &CQuorvaneRemindDlg::plansChanged);
    editor->NewPlanButton->click();
    editor->NewPlanButton->click();
    const QMessageBox* refusal = editor->findChild<QMessageBox*>();
    ASSERT_NE(refusal, nullptr);
    EXPECT_TRUE(refusal->text().contains("500")) << refusal->text().toStdString();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(GetDatePlanList(document).GetChildCount(), kDatePlanLimit);
    EXPECT_EQ(editor->NewPlanButton->text(), QStringLiteral("&Save")) << "still editing";

    editor->WeeklyRadio->click();
    editor->NewPlanButton->click();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(GetWeeklyPlanList(document).GetChildCount(), 1);
    const auto rows = Rows(*editor);
    EXPECT_EQ(rows.back().second, 500);
    EXPECT_EQ(rows[499].second, 499);
}

TEST_F(RemindEditorTest, RestorePowerOnNotesWhenWakeUpIsNotAvailable) {
    Load("", "");
    for (const bool wake : {false, true}) {
        SCOPED_TRACE(wake);
        const auto editor = Open(kEnglish, wake);
        editor->show();
        editor->NewPlanButton->click();
        editor->ActionList->setCurrentIndex(7);
        EXPECT_EQ(editor->ActionList->currentText(), QStringLiteral("Restore(PowerOn)"));
        EXPECT_EQ(editor->WakeNote->isVisible(), !wake);
        EXPECT_EQ(editor->WakeNote->text(), QStringLiteral("wake-up isn't available here"));
        editor->ActionList->setCurrentIndex(1);
        EXPECT_FALSE(editor->WakeNote->isVisible());
    }
}

TEST_F(RemindEditorTest, EveryControlHasAnAccessibleName) {
    Load("", "");
    for (const int language : {kEnglish, kChinese}) {
        const auto editor = Open(language);
        for (const QWidget* control : editor->findChildren<QWidget*>()) {
            if (qobject_cast<const QLabel*>(control) ||
                qobject_cast<const QAbstractButton*>(control) ||
                qobject_cast<const QComboBox*>(control) ||
                qobject_cast<const QGroupBox*>(control) ||
                qobject_cast<const QTimeEdit*>(control) ||
                qobject_cast<const QPlainTextEdit*>(control) ||
                qobject_cast<const QTreeWidget*>(control)) {
                EXPECT_FALSE(control->accessibleName().isEmpty())
                    << control->metaObject()->className();
            }
        }
    }
}

}  // namespace
}  // namespace veltaro
