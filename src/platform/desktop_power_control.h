#pragma once

#include <QDBusConnection>
#include <QString>

#include "platform/power_control.h"

namespace veltaro {

// The power commands on a Linux desktop: systemd-logind on the system bus for the session and the
// computer (never interactive: nobody is asked), X11 DPMS or the desktop's own call for the
// monitor.
class DesktopPowerControl final : public PowerControl {
public:
    DesktopPowerControl(QDBusConnection systemBus, QDBusConnection sessionBus);
    bool Perform(PowerCommand command) override;

private:
    bool CallManager(const QString& method, bool interactive);
    bool CallSession(const QString& method);
    QString SessionPath();
    bool TurnMonitorsOff();

    QDBusConnection systemBus_;
    QDBusConnection sessionBus_;
};

}  // namespace veltaro
