#include "app/remind/remind_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app_icon.h"
#include "app/dialog_units.h"
#include "platform/interface_language.h"
#include "remind/power_action.h"
#include "remind/recent_remind_text.h"
#include "remind/remind_plan_edit.h"

namespace veltaro {

bool RemindEditorOpen = false;

namespace {

// The template's 425 × 260 dialog units.
constexpr int kWidthUnits = 425;
constexpr int kHeightUnits = 260;
constexpr int kMessageHeightUnits = 44;
constexpr int kFirstYear = 1970;
constexpr int kLastYear = 2100;
constexpr int kDateKind = 1;
constexpr int kWeeklyKind = 2;
// Whether a row is a weekly plan, apart from its value, so that a date plan of a hand-edited file
// beyond the 500th can never be taken for a weekly one.
constexpr int kWeeklyRowRole = Qt::UserRole + 1;

struct Caption {
    const char* chinese;
    const char* english;
};

constexpr Caption kColumnTitles[] = {{"最近提醒", "Recent Remind"},
                                     {"动作", "Action"},
                                     {"信息", "Message"},
                                     {"相差天数", "Diff Days"}};
constexpr int kColumnWidths[] = {140, 60, 300, 100};
constexpr int kMessageColumn = 2;
constexpr Caption kWeekdayCaptions[] = {{"周一", "Mon"},   {"周二", "Tues"}, {"周三", "Wed"},
                                        {"周四", "Thurs"}, {"周五", "Fri"},  {"周六", "Sat"},
                                        {"周日", "Sun"}};
constexpr Caption kAnyEntry = {"任意", "Any"};
constexpr Caption kNewPlanCaption = {"新计划(&N)", "&New Plan"};
constexpr Caption kSaveCaption = {"保存(&S)", "&Save"};

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

template <class Control>
Control* Captioned(const QString& caption, QWidget* parent) {
    auto* control = new Control(caption, parent);
    control->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return control;
}

template <class Control>
Control* Named(const QString& name, QWidget* parent) {
    auto* control = new Control(parent);
    control->setAccessibleName(name);
    return control;
}

int SelectedIndexOr(const QComboBox* list, int fallback) {
    return list->currentIndex() >= 0 ? list->currentIndex() : fallback;
}

// The entry of a value, or none (-1) when the list lacks it (a hand-edited file).
int EntryOf(int value, int entries) {
    return value >= 0 && value < entries ? value : -1;
}

}  // namespace

CQuorvaneRemindDlg::CQuorvaneRemindDlg(CTessvarXmlParse& document, int language, const Clock& clock,
                                       bool wakeTimersAvailable, QWidget* parent)
    : QDialog(parent),
      document_(document),
      language_(language),
      clock_(clock),
      wakeTimersAvailable_(wakeTimersAvailable) {
    // A window of its own with a taskbar entry and a minimise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(AppIcon());
    CreateControls();
    FillChoiceLists();
    ArrangeControls();
    ConnectControls();
    SetInputsEnabled(false);
    FillPlanList();
}

void CQuorvaneRemindDlg::CreateControls() {
    const bool chinese = ShowsChineseTexts(language_);
    const auto text = [chinese](const Caption& caption) {
        return QString::fromUtf8(chinese ? caption.chinese : caption.english);
    };
    setWindowTitle(chinese ? QStringLiteral("提醒计划 - Veltaro")
                           : QStringLiteral("Remind Plan - Veltaro"));
    PlanList = Named<QTreeWidget>(
        chinese ? QStringLiteral("提醒计划") : QStringLiteral("Remind Plan"), this);
    DateTimeFrame = Captioned<QGroupBox>(text({"日期时间", "Date and Time"}), this);
    DateRadio = Captioned<QRadioButton>(text({"日期", "Date"}), DateTimeFrame);
    YearList = Named<QComboBox>(text({"年", "Year"}), DateTimeFrame);
    MonthList = Named<QComboBox>(text({"月", "Month"}), DateTimeFrame);
    DayList = Named<QComboBox>(text({"日", "Day"}), DateTimeFrame);
    LunarBox = Captioned<QCheckBox>(text({"农历", "Lunar"}), DateTimeFrame);
    WeeklyRadio = Captioned<QRadioButton>(text({"星期", "Weekly"}), DateTimeFrame);
    for (std::size_t day = 0; day < WeekdayBoxes.size(); ++day) {
        WeekdayBoxes[day] = Captioned<QCheckBox>(text(kWeekdayCaptions[day]), DateTimeFrame);
    }
    TimeFrame = Captioned<QGroupBox>(text({"时间", "Time"}), this);
    SetTimeLabel = Captioned<QLabel>(text({"设置时间:", "Set Time:"}), TimeFrame);
    TimePicker = Named<QTimeEdit>(SetTimeLabel->text(), TimeFrame);
    ActionLabel = Captioned<QLabel>(text({"动作", "Action"}), this);
    ActionList = Named<QComboBox>(ActionLabel->text(), this);
    WakeNote = Captioned<QLabel>(text({"此处无法唤醒开机", "wake-up isn't available here"}), this);
    MessageLabel = Captioned<QLabel>(text({"信息", "Message"}), this);
    Message = Named<QPlainTextEdit>(MessageLabel->text(), this);
    NewPlanButton = Captioned<QPushButton>(text(kNewPlanCaption), this);
    DeleteButton = Captioned<QPushButton>(text({"删除(&D)", "&Delete"}), this);
    CloseButton = Captioned<QPushButton>(text({"关闭(&C)", "&Close"}), this);
}

void CQuorvaneRemindDlg::FillChoiceLists() {
    const QString any =
        QString::fromUtf8(ShowsChineseTexts(language_) ? kAnyEntry.chinese : kAnyEntry.english);
    YearList->addItem(any);
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        YearList->addItem(QString::number(year));
    }
    MonthList->addItem(any);
    for (int month = 1; month <= 12; ++month) {
        MonthList->addItem(QString::number(month));
    }
    DayList->addItem(any);
    for (int day = 1; day <= 31; ++day) {
        DayList->addItem(QString::number(day));
    }
    for (int action = 0; action < kPowerActionCount; ++action) {
        ActionList->addItem(FromStd(PowerActionEditorName(action, language_)));
    }
    const std::tm now = LocalTime(clock_.NowSeconds());
    TimePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    TimePicker->setTime(QTime(now.tm_hour, now.tm_min, now.tm_sec));
    Message->setTabChangesFocus(true);
    Message->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    PlanList->setColumnCount(static_cast<int>(std::size(kColumnTitles)));
    QStringList titles;
    for (const Caption& title : kColumnTitles) {
        titles << QString::fromUtf8(ShowsChineseTexts(language_) ? title.chinese : title.english);
    }
    PlanList->setHeaderLabels(titles);
    PlanList->setRootIsDecorated(false);
    PlanList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    PlanList->setSelectionBehavior(QAbstractItemView::SelectRows);
}

void CQuorvaneRemindDlg::ArrangeControls() {
    auto* dates = new QGridLayout(DateTimeFrame);
    dates->addWidget(DateRadio, 0, 0);
    auto* dateInputs = new QHBoxLayout;
    for (QWidget* input : {static_cast<QWidget*>(YearList), static_cast<QWidget*>(MonthList),
                           static_cast<QWidget*>(DayList), static_cast<QWidget*>(LunarBox)}) {
        dateInputs->addWidget(input);
    }
    dateInputs->addStretch();
    dates->addLayout(dateInputs, 0, 1);
    dates->addWidget(WeeklyRadio, 1, 0);
    auto* weekdays = new QHBoxLayout;
    for (QCheckBox* box : WeekdayBoxes) {
        weekdays->addWidget(box);
    }
    dates->addLayout(weekdays, 1, 1);

    auto* time = new QHBoxLayout(TimeFrame);
    time->addWidget(SetTimeLabel);
    time->addWidget(TimePicker);
    time->addStretch();

    auto* actionFrame = new QGroupBox(this);
    actionFrame->setAccessibleName(ActionLabel->text() + QLatin1Char(' ') + MessageLabel->text());
    auto* action = new QGridLayout(actionFrame);
    action->addWidget(ActionLabel, 0, 0);
    auto* actionChoice = new QHBoxLayout;
    actionChoice->addWidget(ActionList);
    actionChoice->addWidget(WakeNote, 1);
    action->addLayout(actionChoice, 0, 1);
    action->addWidget(MessageLabel, 1, 0, Qt::AlignTop);
    action->addWidget(Message, 1, 1);
    QSizePolicy keepsRoom = WakeNote->sizePolicy();
    keepsRoom.setRetainSizeWhenHidden(true);
    WakeNote->setSizePolicy(keepsRoom);
    WakeNote->hide();

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(NewPlanButton);
    buttons->addWidget(DeleteButton);
    buttons->addStretch();
    buttons->addWidget(CloseButton);

    auto* inputs = new QVBoxLayout;
    inputs->addWidget(DateTimeFrame);
    inputs->addWidget(TimeFrame);
    inputs->addStretch();
    // The list takes the height; the message keeps a few lines.
    Message->setFixedHeight(DialogUnitsToPixelsY(kMessageHeightUnits));
    auto* lower = new QHBoxLayout;
    lower->addLayout(inputs);
    lower->addWidget(actionFrame, 1);
    lower->addLayout(buttons);

    auto* whole = new QVBoxLayout(this);
    whole->addWidget(PlanList, 1);
    whole->addLayout(lower);
    resize(DialogUnitsToPixelsX(kWidthUnits), DialogUnitsToPixelsY(kHeightUnits));
}

void CQuorvaneRemindDlg::ConnectControls() {
    connect(DateRadio, &QRadioButton::clicked, this, [this] { EnableKindInputs(kDateKind); });
    connect(WeeklyRadio, &QRadioButton::clicked, this, [this] { EnableKindInputs(kWeeklyKind); });
    connect(NewPlanButton, &QPushButton::clicked, this, &CQuorvaneRemindDlg::OnNewPlanOrSave);
    connect(DeleteButton, &QPushButton::clicked, this, &CQuorvaneRemindDlg::DeleteSelectedPlan);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(PlanList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* row) { ShowPlan(row); });
    connect(ActionList, &QComboBox::currentIndexChanged, this, &CQuorvaneRemindDlg::ShowWakeNote);
}

// Every input but the list and the buttons; the weekday boxes and the date lists only until a
// kind is chosen.
void CQuorvaneRemindDlg::SetInputsEnabled(bool enabled) {
    for (QWidget* input :
         {static_cast<QWidget*>(DateRadio), static_cast<QWidget*>(WeeklyRadio),
          static_cast<QWidget*>(ActionList), static_cast<QWidget*>(Message),
          static_cast<QWidget*>(TimePicker), static_cast<QWidget*>(SetTimeLabel),
          static_cast<QWidget*>(DateTimeFrame), static_cast<QWidget*>(TimeFrame),
          static_cast<QWidget*>(ActionLabel), static_cast<QWidget*>(MessageLabel)}) {
        input->setEnabled(enabled);
    }
    if (!enabled) {
        for (QWidget* input : {static_cast<QWidget*>(YearList), static_cast<QWidget*>(MonthList),
                               static_cast<QWidget*>(DayList), static_cast<QWidget*>(LunarBox)}) {
            input->setEnabled(false);
        }
        for (QCheckBox* box : WeekdayBoxes) {
            box->setEnabled(false);
        }
    }
}

void CQuorvaneRemindDlg::EnableKindInputs(int kind) {
    kind_ = kind;
    const bool date = kind == kDateKind;
    for (QWidget* input : {static_cast<QWidget*>(YearList), static_cast<QWidget*>(MonthList),
                           static_cast<QWidget*>(DayList), static_cast<QWidget*>(LunarBox)}) {
        input->setEnabled(date);
    }
    for (QCheckBox* box : WeekdayBoxes) {
        box->setEnabled(!date);
    }
}

void CQuorvaneRemindDlg::OnNewPlanOrSave() {
    const bool chinese = ShowsChineseTexts(language_);
    if (!editing_) {
        StartNewPlan();
    } else if (!SavePlan()) {
        return;
    }
    editing_ = !editing_;
    const Caption& caption = editing_ ? kSaveCaption : kNewPlanCaption;
    NewPlanButton->setText(QString::fromUtf8(chinese ? caption.chinese : caption.english));
    NewPlanButton->setAccessibleName(QString(NewPlanButton->text()).remove(QLatin1Char('&')));
}

// The inputs keep the values of the plan last shown, so it serves as the start of the new one.
void CQuorvaneRemindDlg::StartNewPlan() {
    SetInputsEnabled(true);
    if (!DateRadio->isChecked() && !WeeklyRadio->isChecked()) {
        DateRadio->setChecked(true);
    }
    EnableKindInputs(WeeklyRadio->isChecked() ? kWeeklyKind : kDateKind);
}

// False when the plan was refused; the inputs then stay as they are.
bool CQuorvaneRemindDlg::SavePlan() {
    kind_ = WeeklyRadio->isChecked() ? kWeeklyKind : kDateKind;
    if (kind_ == kDateKind && DatePlanListFull(document_)) {
        RefuseFullDateList();
        return false;
    }
    SetInputsEnabled(false);
    AppendPlanFromInputs();
    emit plansChanged();
    FillPlanList();
    return true;
}

bool CQuorvaneRemindDlg::AppendPlanFromInputs() {
    const QTime time = TimePicker->time();
    const std::string message = Message->toPlainText().toStdString();
    // A list left without a choice by a hand-edited plan saves its first entry: the open field and
    // the empty action.
    const int action = SelectedIndexOr(ActionList, 0);
    if (kind_ == kWeeklyKind) {
        int weekdays = 0;
        for (std::size_t day = 0; day < WeekdayBoxes.size(); ++day) {
            weekdays |= WeekdayBoxes[day]->isChecked() ? WeekdayBit(static_cast<int>(day) + 1) : 0;
        }
        return AppendWeeklyPlan(document_, weekdays, action, time.hour(), time.minute(),
                                time.second(), message);
    }
    const auto entryText = [](const QComboBox* list) {
        return list->itemText(SelectedIndexOr(list, 0)).toStdString();
    };
    return AppendDatePlan(document_, entryText(YearList), entryText(MonthList), entryText(DayList),
                          LunarBox->isChecked(), action, time.hour(), time.minute(), time.second(),
                          message);
}

void CQuorvaneRemindDlg::RefuseFullDateList() {
    const bool chinese = ShowsChineseTexts(language_);
    auto* box = new QMessageBox(
        QMessageBox::Warning, windowTitle(),
        chinese ? QStringLiteral("日期计划最多 %1 个。请先删除一个日期计划，或改存为星期计划。")
                      .arg(kDatePlanLimit)
                : QStringLiteral("There can be at most %1 date plans. Delete a date plan first, "
                                 "or save this one as a weekly plan.")
                      .arg(kDatePlanLimit),
        QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void CQuorvaneRemindDlg::ShowPlan(QTreeWidgetItem* row) {
    const bool weekly = row->data(0, kWeeklyRowRole).toBool();
    const int value = row->data(0, kItemValueRole).toInt();
    const RemindPlanKind kind = weekly ? RemindPlanKind::Weekly : RemindPlanKind::Date;
    const std::optional<RemindPlan> plan =
        ReadRemindPlan(GetPlanList(document_, kind), weekly ? value - kWeeklyRowBase : value, kind);
    if (!plan) {
        return;
    }
    WeeklyRadio->setChecked(weekly);
    DateRadio->setChecked(!weekly);
    YearList->setCurrentIndex(0);
    if (weekly) {
        MonthList->setCurrentIndex(0);
        DayList->setCurrentIndex(0);
    } else {
        MonthList->setCurrentIndex(EntryOf(plan->month, MonthList->count()));
        DayList->setCurrentIndex(EntryOf(plan->day, DayList->count()));
        if (plan->year > kFirstYear - 1) {
            YearList->setCurrentIndex(EntryOf(plan->year - (kFirstYear - 1), YearList->count()));
        }
    }
    LunarBox->setChecked(!weekly && plan->lunar);
    for (std::size_t day = 0; day < WeekdayBoxes.size(); ++day) {
        WeekdayBoxes[day]->setChecked(
            weekly && (plan->weekdays & WeekdayBit(static_cast<int>(day) + 1)) != 0);
    }
    ActionList->setCurrentIndex(EntryOf(plan->action, ActionList->count()));
    TimePicker->setTime(QTime(plan->hour, plan->minute, plan->second));
    Message->setPlainText(QString::fromStdString(plan->message));
}

void CQuorvaneRemindDlg::DeleteSelectedPlan() {
    for (int index = 0; index < PlanList->topLevelItemCount(); ++index) {
        const QTreeWidgetItem* row = PlanList->topLevelItem(index);
        if (!row->isSelected()) {
            continue;
        }
        const bool weekly = row->data(0, kWeeklyRowRole).toBool();
        const int value = row->data(0, kItemValueRole).toInt();
        DeleteRemindPlan(document_, weekly ? RemindPlanKind::Weekly : RemindPlanKind::Date,
                         weekly ? value - kWeeklyRowBase : value);
        emit plansChanged();
        FillPlanList();
        return;
    }
}

void CQuorvaneRemindDlg::ShowWakeNote() {
    WakeNote->setVisible(!wakeTimersAvailable_ &&
                         ActionList->currentIndex() == kPowerActionRestorePowerOn);
}

void CQuorvaneRemindDlg::FillPlanList() {
    PlanList->clear();
    for (const RemindPlan& plan : ReadRemindPlans(document_)) {
        AddRow(plan);
    }
    // The designed widths, wider where the style's font needs it to show a whole time or name;
    // a long message is cut short rather than pushing the days out of sight.
    for (int column = 0; column < PlanList->columnCount(); ++column) {
        if (column != kMessageColumn) {
            PlanList->resizeColumnToContents(column);
        }
        PlanList->setColumnWidth(
            column, std::max(kColumnWidths[column],
                             column == kMessageColumn ? 0 : PlanList->columnWidth(column)));
    }
}

void CQuorvaneRemindDlg::AddRow(const RemindPlan& plan) {
    const LocalDateTime now = LocalDateTimeFromTm(LocalTime(clock_.NowSeconds()));
    const RecentRemindTexts texts = RecentRemindText(plan, language_, now);
    const bool weekly = plan.kind == RemindPlanKind::Weekly;
    auto* row =
        new QTreeWidgetItem(PlanList, {FromStd(texts.recentRemind),
                                       FromStd(PowerActionEditorName(plan.action, language_)),
                                       FromStd(plan.message), FromStd(texts.diffDays)});
    row->setData(0, kItemValueRole, weekly ? kWeeklyRowBase + plan.index : plan.index);
    row->setData(0, kWeeklyRowRole, weekly);
}

}  // namespace veltaro
