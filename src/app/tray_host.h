#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/chime_notifier.h"
#include "app/tray_availability.h"
#include "platform/clock.h"
#include "platform/wall_clock_timer.h"
#include "tray/clock_picture.h"
#include "tray/tray_menu.h"

class QMenu;
class QSocketNotifier;
class QSystemTrayIcon;

namespace veltaro {

class CDurmetApp;
class CDurmetDlg;

// The program's face in the panel, on the UI thread: the clock icon and its tooltip, pushed only
// when they change; the menu, built from its table each time it opens; the hourly chime. The icon
// is made once a tray exists, however late the panel starts.
class TrayHost : public QObject {
    Q_OBJECT

public:
    TrayHost(CDurmetDlg& window, CDurmetApp& app, const Clock& clock);
    ~TrayHost() override;

    void Start();
    // Shows the texts again in the current language.
    void Refresh();
    // Removes the icon and any chime still shown; nothing of the tray runs afterwards.
    void Stop();
    // The wall clock was set or the time zone changed: shows the time anew and aims again.
    void ClockChanged();

private:
    void OnTrayAppeared();
    void ReportMissingTray();
    void OnClockTimer();
    void Aim(std::int64_t fromSeconds);
    void ShowTime(std::int64_t atSeconds);
    void Chime(std::int64_t hourSeconds);
    void TrimMemory(bool topOfHour);
    void OnMenuAboutToShow();
    void OnMenuAboutToHide();
    void RenderMenu(const std::vector<MenuItem>& items);
    void FillMenu(QMenu& menu, const std::vector<MenuItem>& items);
    void AddCommand(QMenu& menu, const MenuItem& item);
    void UpdateMenuInPlace(QMenu& menu, const std::vector<MenuItem>& items);
    void ApplyMenuBackground();

    CDurmetDlg& window_;
    CDurmetApp& app_;
    const Clock& clock_;
    TrayAvailability availability_;
    ChimeNotifier notifier_;
    WallClockTimer timer_;
    QSocketNotifier* timerNotifier_ = nullptr;
    std::int64_t aimedAt_ = 0;
    bool aimedAtTopOfHour_ = false;
    std::int64_t shownAt_ = 0;

    std::unique_ptr<QMenu> menu_;
    QSystemTrayIcon* icon_ = nullptr;
    ClockPicture shownPicture_;
    QString shownToolTip_;
    std::vector<MenuItem> renderedMenu_;
    QString menuBackground_;
};

}  // namespace veltaro
