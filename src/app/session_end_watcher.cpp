#include "app/session_end_watcher.h"

#include <fcntl.h>
#include <unistd.h>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>

namespace veltaro {
namespace {

// The self-pipe: a signal handler may only write a byte; the UI thread reads it.
int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

SessionEndWatcher::SessionEndWatcher(QObject* parent) : QObject(parent) {
    installSignalHandlers();
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { emit endRequested(); });
    }
}

SessionEndWatcher::~SessionEndWatcher() {
    for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
        std::signal(number, SIG_DFL);
    }
}

void SessionEndWatcher::installSignalHandlers() {
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    signalNotifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(signalNotifier_, &QSocketNotifier::activated, this,
            &SessionEndWatcher::onSignalPipeReadable);
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
        ::sigaction(number, &action, nullptr);
    }
}

void SessionEndWatcher::onSignalPipeReadable() {
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof(bytes)) > 0) {
    }
    emit endRequested();
}

bool SessionEndWatcher::watchLogind(const QDBusConnection& bus) {
    return QDBusConnection(bus).connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForShutdown"),
        this, SLOT(onPrepareForShutdown(bool)));
}

void SessionEndWatcher::onPrepareForShutdown(bool starting) {
    if (starting) {
        emit endRequested();
    }
}

}  // namespace veltaro
