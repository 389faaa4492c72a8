#include "app/tray_availability.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <string>

// After Qt: Xlib defines macros (None, Bool, ...) that Qt's headers use as names.
#include <X11/Xlib.h>

namespace veltaro {
namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

}  // namespace

TrayAvailability::TrayAvailability(QDBusConnection sessionBus, QObject* parent)
    : QObject(parent), sessionBus_(std::move(sessionBus)) {}

TrayAvailability::~TrayAvailability() {
    StopWatchingX11();
}

void TrayAvailability::StopWatchingX11() {
    delete x11Notifier_;
    x11Notifier_ = nullptr;
    if (display_ != nullptr) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

void TrayAvailability::Start() {
    if (sessionBus_.isConnected()) {
        auto* watcher = new QDBusServiceWatcher(kWatcherService, sessionBus_,
                                                QDBusServiceWatcher::WatchForRegistration, this);
        connect(watcher, &QDBusServiceWatcher::serviceRegistered, this,
                &TrayAvailability::CheckStatusNotifierWatcher);
        // A watcher that comes without its host gets one later; Qt only takes a watcher with one.
        sessionBus_.connect(kWatcherService, kWatcherPath, kWatcherService,
                            QStringLiteral("StatusNotifierHostRegistered"), this,
                            SLOT(CheckStatusNotifierWatcher()));
        CheckStatusNotifierWatcher();
    }
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        WatchXEmbedManager();
    }
}

void TrayAvailability::CheckStatusNotifierWatcher() {
    if (appeared_) {
        return;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* pending = new QDBusPendingCallWatcher(sessionBus_.asyncCall(get), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<QDBusVariant> reply = *call;
                call->deleteLater();
                OnWatcherAnswer(reply.isValid() && reply.value().variant().toBool());
            });
}

void TrayAvailability::OnWatcherAnswer(bool hostRegistered) {
    if (hostRegistered) {
        Announce();
    }
}

void TrayAvailability::WatchXEmbedManager() {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) {
        return;
    }
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display_));
    trayAtom_ = XInternAtom(display_, selection.c_str(), False);
    managerAtom_ = XInternAtom(display_, "MANAGER", False);
    // A new tray manager announces itself to the root window's structure listeners.
    XSelectInput(display_, DefaultRootWindow(display_), StructureNotifyMask);
    XFlush(display_);
    x11Notifier_ = new QSocketNotifier(ConnectionNumber(display_), QSocketNotifier::Read);
    connect(x11Notifier_, &QSocketNotifier::activated, this, &TrayAvailability::ReadX11Events);
    if (XGetSelectionOwner(display_, trayAtom_) != None) {
        Announce();
    }
}

void TrayAvailability::ReadX11Events() {
    bool managerArrived = false;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        managerArrived =
            managerArrived ||
            (event.type == ClientMessage && event.xclient.message_type == managerAtom_ &&
             static_cast<unsigned long>(event.xclient.data.l[1]) == trayAtom_);
    }
    if (managerArrived) {
        Announce();
    }
}

void TrayAvailability::Announce() {
    if (appeared_) {
        return;
    }
    appeared_ = true;
    // The icon's own tray code follows restarts from here on; this watch has done its work.
    StopWatchingX11();
    emit appeared();
}

}  // namespace veltaro
