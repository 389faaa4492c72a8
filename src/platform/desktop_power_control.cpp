#include "platform/desktop_power_control.h"

#include <unistd.h>

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>

#include "platform/monitor_power.h"

namespace veltaro {
namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");
constexpr int kCallTimeoutMs = 5000;

bool Succeeded(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace

DesktopPowerControl::DesktopPowerControl(QDBusConnection systemBus, QDBusConnection sessionBus)
    : systemBus_(std::move(systemBus)), sessionBus_(std::move(sessionBus)) {}

bool DesktopPowerControl::Perform(PowerCommand command) {
    switch (command) {
        case PowerCommand::Logoff:
            // Ending the session is the forced log-off: its programs get no say.
            return CallSession(QStringLiteral("Terminate"));
        case PowerCommand::Restart:
            return CallManager(QStringLiteral("Reboot"), false);
        case PowerCommand::Shutdown:
            return CallManager(QStringLiteral("PowerOff"), false);
        case PowerCommand::Lock:
            return CallSession(QStringLiteral("Lock"));
        case PowerCommand::Hibernate:
            return CallManager(QStringLiteral("Hibernate"), false);
        case PowerCommand::Standby:
            return CallManager(QStringLiteral("Suspend"), false);
        case PowerCommand::MonitorOff:
            return TurnMonitorsOff();
    }
    return false;
}

bool DesktopPowerControl::CallManager(const QString& method, bool interactive) {
    QDBusMessage call = QDBusMessage::createMethodCall(kLogind, kLogindPath, kManager, method);
    call << interactive;
    return Succeeded(systemBus_.call(call, QDBus::Block, kCallTimeoutMs));
}

bool DesktopPowerControl::CallSession(const QString& method) {
    const QString session = SessionPath();
    if (session.isEmpty()) {
        return false;
    }
    const QDBusMessage call = QDBusMessage::createMethodCall(kLogind, session, kSession, method);
    return Succeeded(systemBus_.call(call, QDBus::Block, kCallTimeoutMs));
}

// This program's session: "auto" is the caller's session (or the user's display session when the
// caller runs outside one); by process id as a second way.
QString DesktopPowerControl::SessionPath() {
    QDBusMessage byName = QDBusMessage::createMethodCall(kLogind, kLogindPath, kManager,
                                                         QStringLiteral("GetSession"));
    byName << QStringLiteral("auto");
    const QDBusReply<QDBusObjectPath> named = systemBus_.call(byName, QDBus::Block, kCallTimeoutMs);
    if (named.isValid()) {
        return named.value().path();
    }
    QDBusMessage byProcess = QDBusMessage::createMethodCall(kLogind, kLogindPath, kManager,
                                                            QStringLiteral("GetSessionByPID"));
    byProcess << static_cast<quint32>(::getpid());
    const QDBusReply<QDBusObjectPath> owned =
        systemBus_.call(byProcess, QDBus::Block, kCallTimeoutMs);
    return owned.isValid() ? owned.value().path() : QString();
}

bool DesktopPowerControl::TurnMonitorsOff() {
    if (TurnX11MonitorsOff()) {
        return true;
    }
    // GNOME on Wayland: power-save mode 3 is "off". Other desktops offer no call of their own.
    QDBusMessage set = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Mutter.DisplayConfig"),
        QStringLiteral("/org/gnome/Mutter/DisplayConfig"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    set << QStringLiteral("org.gnome.Mutter.DisplayConfig") << QStringLiteral("PowerSaveMode")
        << QVariant::fromValue(QDBusVariant(3));
    return sessionBus_.isConnected() &&
           Succeeded(sessionBus_.call(set, QDBus::Block, kCallTimeoutMs));
}

}  // namespace veltaro
