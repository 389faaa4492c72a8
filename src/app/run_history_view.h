#pragma once

#include <QObject>
#include <QTimer>

#include "recorder/past_runs.h"
#include "recorder/run_record.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QWidget;

namespace veltaro {

class CStaticLink;

// The run history panel: one run at a time, chosen with the trackbar and the Last, Next and This
// Time buttons. It creates its controls on `host`, whose layout places them. The live run is
// refreshed every second, but only while it is on view and the window is shown, so a hidden
// window or a past run on view costs no wake-ups.
class RunHistoryView : public QObject {
    Q_OBJECT

public:
    // `currentRun` is written by the heartbeat thread and read through SnapshotOf; `language` is
    // read on every refresh. The view starts on the live run.
    RunHistoryView(const PastRuns& runLog, RunRecord& currentRun, const int& language,
                   QWidget* host);

    // Fills the panel for ViewedRun in the current language.
    void RefreshRunView();
    void ShowLastTime();
    void ShowNextTime();
    void ShowThisTime();
    bool UpdatesLiveRun() const { return liveTimer_.isActive(); }

    // The 1-based number of the run on view; LiveRunOrdinal for the live run.
    int ViewedRun = 1;

    QGroupBox* const RunBox;
    QLabel* const StartupLine;
    QLabel* const ShutdownLine;
    QLabel* const RunTimeLine;
    QLabel* const CumulativeLine;
    QSlider* const Trackbar;
    QPushButton* const LastTimeButton;
    QPushButton* const NextTimeButton;
    QPushButton* const ThisTimeButton;
    QPushButton* const CloseButton;
    CStaticLink* const AuthorLink;
    // Opens the usage window (usageRequested).
    QLabel* const UsageLink;

signals:
    void usageRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetCaptions(int language);
    void ViewTrackbarPosition();

    const PastRuns& runLog_;
    RunRecord& currentRun_;
    const int& language_;
    QTimer liveTimer_;
};

}  // namespace veltaro
