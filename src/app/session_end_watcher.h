#pragma once

#include <QDBusConnection>
#include <QObject>

class QSocketNotifier;

namespace veltaro {

// Gathers every way the desktop tells the program to end: SIGTERM, SIGHUP and SIGINT, the session
// manager's end-of-session request and logind's PrepareForShutdown. Each arrives on the UI thread
// as `endRequested`.
class SessionEndWatcher : public QObject {
    Q_OBJECT

public:
    explicit SessionEndWatcher(QObject* parent = nullptr);
    ~SessionEndWatcher() override;

    // Watches logind's PrepareForShutdown on `bus` (the system bus in the program).
    bool watchLogind(const QDBusConnection& bus);

signals:
    void endRequested();

private slots:
    void onSignalPipeReadable();
    void onPrepareForShutdown(bool starting);

private:
    void installSignalHandlers();

    QSocketNotifier* signalNotifier_ = nullptr;
};

}  // namespace veltaro
