#pragma once

#include <QDialog>

#include "platform/clock.h"
#include "recorder/past_runs.h"
#include "recorder/run_record.h"
#include "recorder/usage.h"

class QLabel;
class QRadioButton;
class QTimer;

namespace veltaro {

class UsageChart;
class Banner;

// Set while the usage window is open: it opens only once.
extern bool UsageWindowOpen;

// Usage at a glance: running hours of the last 30 days, 26 weeks or 12 months as a bar chart, the
// live run included and brought up to date once a minute while the window is shown, and a summary
// of the whole history under it.
class CQuorvaneUsageDlg : public QDialog {
    Q_OBJECT

public:
    CQuorvaneUsageDlg(const PastRuns& pastRuns, RunRecord& currentRun, const Clock& clock,
                      int language, QWidget* parent = nullptr);

    void ShowPeriod(UsagePeriod period);
    UsagePeriod Period() const { return period_; }
    const UsageChart& Chart() const { return *chart_; }
    QString SummaryText() const;

    // The figures again, with the live run as it is now.
    void Recompute();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QRadioButton* AddPeriodButton(const char* english, const char* chinese, UsagePeriod period);

    const PastRuns& pastRuns_;
    RunRecord& currentRun_;
    const Clock& clock_;
    int language_;
    UsagePeriod period_ = UsagePeriod::kDay;
    Banner* banner_;
    UsageChart* chart_;
    QLabel* summary_;
    QTimer* liveRunTimer_;
};

}  // namespace veltaro
