#pragma once

#include <QDialog>
#include <QTimer>
#include <chrono>

#include "platform/clock.h"
#include "remind/remind_alert_texts.h"
#include "remind/remind_scheduler.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace veltaro {

class Banner;

// The alert of a due reminder: the Remind page banner, today's date with its lunar date, the
// reminder's time, action and message, and an accept button that counts down once a tick from
// Execute(30) and accepts by itself after Execute(-1). Accept (the button, Enter) carries the
// action out; Cancel, Escape and the close box skip it. It stays on top of other windows.
class CQuorvaneRemindInfoDlg : public QDialog {
    Q_OBJECT

public:
    // `clock` gives today's date; `tick` is the countdown's step (a second; tests shorten it).
    CQuorvaneRemindInfoDlg(const DueReminder& reminder, int language, const Clock& clock,
                           std::chrono::milliseconds tick = std::chrono::seconds(1),
                           QWidget* parent = nullptr);

    Banner* PageBanner;
    QLabel* DateLine;
    QLabel* TimeLine;
    QLabel* ActionLine;
    QLabel* MessageLabel;
    QPlainTextEdit* Message;
    QPushButton* ExecuteButton;
    QPushButton* CancelButton;

public slots:
    // One step of the countdown.
    void Tick();

private:
    void ArrangeControls();

    int language_;
    AlertCountdown countdown_;
    QTimer ticker_;
};

}  // namespace veltaro
