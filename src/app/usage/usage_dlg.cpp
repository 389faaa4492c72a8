#include "app/usage/usage_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>

#include "app/app_icon.h"
#include "app/banner.h"
#include "app/usage/usage_chart.h"
#include "platform/clock.h"
#include "platform/interface_language.h"
#include "web/page_address.h"

namespace veltaro {

bool UsageWindowOpen = false;

namespace {

constexpr std::chrono::minutes kLiveRunRefresh{1};

int PeriodsShown(UsagePeriod period) {
    switch (period) {
        case UsagePeriod::kDay:
            return 30;
        case UsagePeriod::kWeek:
            return 26;
        case UsagePeriod::kMonth:
            return 12;
    }
    return 30;
}

QString Text(int language, const char* english, const char* chinese) {
    return QString::fromUtf8(ShowsChineseTexts(language) ? chinese : english);
}

}  // namespace

CQuorvaneUsageDlg::CQuorvaneUsageDlg(const PastRuns& pastRuns, RunRecord& currentRun,
                                     const Clock& clock, int language, QWidget* parent)
    : QDialog(parent),
      pastRuns_(pastRuns),
      currentRun_(currentRun),
      clock_(clock),
      language_(language),
      banner_(new Banner(this)),
      chart_(new UsageChart(this)),
      summary_(new QLabel(this)),
      liveRunTimer_(new QTimer(this)) {
    setWindowTitle(Text(language, "Usage - Veltaro", "使用统计 - Veltaro"));
    setWindowIcon(AppIcon());
    // Its own taskbar entry, like the other tool windows.
    setWindowFlag(Qt::Window);
    banner_->setFixedHeight(kStretchedBannerHeight);
    banner_->Navigate(StartPageAddress(language), language);

    auto* periods = new QHBoxLayout;
    periods->addWidget(AddPeriodButton("&Days", "按日(&D)", UsagePeriod::kDay));
    periods->addWidget(AddPeriodButton("&Weeks", "按周(&W)", UsagePeriod::kWeek));
    periods->addWidget(AddPeriodButton("&Months", "按月(&M)", UsagePeriod::kMonth));
    periods->addStretch();

    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->setAccessibleName(Text(language, "Summary", "统计摘要"));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close =
        buttons->addButton(Text(language, "&Close", "关闭(&C)"), QDialogButtonBox::RejectRole);
    close->setAccessibleName(close->text());
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    QVBoxLayout* content = LayoutBelowBanner(*this, *banner_, 12);
    content->addLayout(periods);
    content->addWidget(chart_, 1);
    content->addWidget(summary_);
    content->addWidget(buttons);

    liveRunTimer_->setInterval(kLiveRunRefresh);
    connect(liveRunTimer_, &QTimer::timeout, this, &CQuorvaneUsageDlg::Recompute);
    ShowPeriod(UsagePeriod::kDay);
    resize(720, 560);
}

QRadioButton* CQuorvaneUsageDlg::AddPeriodButton(const char* english, const char* chinese,
                                                 UsagePeriod period) {
    auto* button = new QRadioButton(Text(language_, english, chinese), this);
    button->setAccessibleName(button->text());
    button->setChecked(period == period_);
    connect(button, &QRadioButton::toggled, this, [this, period](bool on) {
        if (on) {
            ShowPeriod(period);
        }
    });
    return button;
}

void CQuorvaneUsageDlg::ShowPeriod(UsagePeriod period) {
    period_ = period;
    Recompute();
}

void CQuorvaneUsageDlg::Recompute() {
    const std::int64_t now = clock_.NowSeconds();
    const UsageTimeline timeline(pastRuns_, SnapshotOf(currentRun_));
    chart_->SetBuckets(timeline.ByPeriod(period_, PeriodsShown(period_), now), period_, language_);
    QStringList lines;
    for (const std::string& line : UsageSummaryLines(timeline.Summary(now), language_)) {
        lines << QString::fromStdString(line);
    }
    summary_->setText(lines.join(QLatin1Char('\n')));
}

QString CQuorvaneUsageDlg::SummaryText() const {
    return summary_->text();
}

// The live run moves only while someone looks: a hidden window costs no wake-ups.
void CQuorvaneUsageDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    liveRunTimer_->start();
}

void CQuorvaneUsageDlg::hideEvent(QHideEvent* event) {
    liveRunTimer_->stop();
    QDialog::hideEvent(event);
}

}  // namespace veltaro
