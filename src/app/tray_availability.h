#pragma once

#include <QDBusConnection>
#include <QObject>

class QSocketNotifier;
typedef struct _XDisplay Display;

namespace veltaro {

// Tells when the desktop has a tray to show the icon in: a StatusNotifierWatcher with a host on
// the session bus, or an XEmbed tray manager on the X11 screen. Qt picks its kind of tray once per
// process, at the first touch of QSystemTrayIcon; a panel that starts after the program must
// therefore exist before the icon is made, or the icon never shows.
class TrayAvailability : public QObject {
    Q_OBJECT

public:
    explicit TrayAvailability(QDBusConnection sessionBus, QObject* parent = nullptr);
    ~TrayAvailability() override;

    // Starts watching; emits `appeared` at once when a tray is already there.
    void Start();
    bool HasAppeared() const { return appeared_; }

signals:
    // Once, when the first tray of either kind exists.
    void appeared();

private slots:
    void CheckStatusNotifierWatcher();

private:
    void OnWatcherAnswer(bool hostRegistered);
    void WatchXEmbedManager();
    void ReadX11Events();
    void Announce();
    void StopWatchingX11();

    QDBusConnection sessionBus_;
    Display* display_ = nullptr;
    unsigned long trayAtom_ = 0;
    unsigned long managerAtom_ = 0;
    QSocketNotifier* x11Notifier_ = nullptr;
    bool appeared_ = false;
};

}  // namespace veltaro
