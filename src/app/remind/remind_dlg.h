#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "platform/clock.h"
#include "remind/remind_plan.h"
#include "xml/tessvar_xml_parse.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace veltaro {

// Set while the plan editor is open: the menu and `veltaro-cli open remind` open it only once.
extern bool RemindEditorOpen;

// The remind plan editor: every plan with its next occurrence and the days to it, a clicked plan
// shown in the inputs, New Plan then Save to add a plan from the inputs, Delete for the topmost
// selected plan. Plans are not edited in place. After each change it emits plansChanged, on which
// the owner saves the file, rebuilds the schedule and re-arms the scheduler.
class CQuorvaneRemindDlg : public QDialog {
    Q_OBJECT

public:
    // Each row's value: the index of a date plan, kWeeklyRowBase plus the index of a weekly plan.
    static constexpr int kWeeklyRowBase = 500;
    static constexpr int kItemValueRole = Qt::UserRole;

    // `wakeTimersAvailable`: whether Restore(PowerOn) can wake the computer here; when it can't,
    // choosing it shows a note.
    CQuorvaneRemindDlg(CTessvarXmlParse& document, int language, const Clock& clock,
                       bool wakeTimersAvailable, QWidget* parent = nullptr);

    QTreeWidget* PlanList;
    QGroupBox* DateTimeFrame;
    QRadioButton* DateRadio;
    QComboBox* YearList;
    QComboBox* MonthList;
    QComboBox* DayList;
    QCheckBox* LunarBox;
    QRadioButton* WeeklyRadio;
    std::array<QCheckBox*, 7> WeekdayBoxes;  // Monday to Sunday
    QGroupBox* TimeFrame;
    QLabel* SetTimeLabel;
    QTimeEdit* TimePicker;
    QLabel* ActionLabel;
    QComboBox* ActionList;
    QLabel* WakeNote;
    QLabel* MessageLabel;
    QPlainTextEdit* Message;
    QPushButton* NewPlanButton;
    QPushButton* DeleteButton;
    QPushButton* CloseButton;

signals:
    void plansChanged();

public slots:
    // Fills the rows again as of the clock's now (after a change, and when the clock was set).
    void FillPlanList();

private:
    void CreateControls();
    void FillChoiceLists();
    void ArrangeControls();
    void ConnectControls();
    void SetInputsEnabled(bool enabled);
    void EnableKindInputs(int kind);
    void OnNewPlanOrSave();
    void StartNewPlan();
    bool SavePlan();
    bool AppendPlanFromInputs();
    void ShowPlan(QTreeWidgetItem* row);
    void DeleteSelectedPlan();
    void ShowWakeNote();
    void AddRow(const RemindPlan& plan);
    void RefuseFullDateList();

    CTessvarXmlParse& document_;
    int language_;
    const Clock& clock_;
    bool wakeTimersAvailable_;
    bool editing_ = false;
    int kind_ = 1;  // 1 date plan, 2 weekly plan: the kind the next Save adds
};

}  // namespace veltaro
