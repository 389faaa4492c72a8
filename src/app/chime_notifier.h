#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace veltaro {

// Shows the hourly chime as a desktop notification (org.freedesktop.Notifications) and closes it
// after 8 seconds. Where no notification service answers, the tray icon's own balloon shows it.
class ChimeNotifier : public QObject {
    Q_OBJECT

public:
    using Fallback = std::function<void(const QString& summary, const QString& body)>;

    ChimeNotifier(QDBusConnection sessionBus, Fallback fallback, QObject* parent = nullptr);
    ~ChimeNotifier() override;

    void Show(const QString& summary, const QString& body);
    // Takes a notification that is still shown away at once (at exit).
    void CloseShown();

private:
    void OnShown(quint32 id);

    QDBusConnection sessionBus_;
    Fallback fallback_;
    QTimer closeTimer_;
    quint32 shownId_ = 0;
};

}  // namespace veltaro
