// The end-of-session sources, on a private session bus (dbus-run-session) standing in for the
// system bus that carries logind.
#include "app/session_end_watcher.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <csignal>

namespace veltaro {
namespace {

int argc = 1;
char name[] = "session_end_watcher_test";
char* argv[] = {name, nullptr};

void SpinFor(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
}

bool SpinUntil(const int& count, int wanted) {
    QElapsedTimer timer;
    timer.start();
    while (count < wanted && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return count >= wanted;
}

class SessionEndWatcherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { application = new QCoreApplication(argc, argv); }
    void SetUp() override {
        QObject::connect(&watcher, &SessionEndWatcher::endRequested, [this] { ++requests; });
    }
    static QCoreApplication* application;
    SessionEndWatcher watcher;
    int requests = 0;
};
QCoreApplication* SessionEndWatcherTest::application = nullptr;

TEST_F(SessionEndWatcherTest, TerminationSignalsRequestTheEnd) {
    for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
        const int before = requests;
        std::raise(number);
        EXPECT_TRUE(SpinUntil(requests, before + 1)) << "signal " << number;
    }
}

TEST_F(SessionEndWatcherTest, LogindPrepareForShutdownRequestsTheEnd) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected()) << "the tests run inside dbus-run-session";
    QDBusConnection logind =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-logind"));
    ASSERT_TRUE(logind.registerService(QStringLiteral("org.freedesktop.login1")));
    ASSERT_TRUE(watcher.watchLogind(bus));
    // The watcher learns the name's owner from the bus; let that answer arrive first.
    SpinFor(300);
    const auto announce = [&logind](bool starting) {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForShutdown"));
        signal << starting;
        logind.send(signal);
    };
    // The shutdown being called off is no reason to end.
    announce(false);
    announce(true);
    EXPECT_TRUE(SpinUntil(requests, 1));
    SpinFor(200);
    EXPECT_EQ(requests, 1);
    logind.unregisterService(QStringLiteral("org.freedesktop.login1"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-logind"));
}

}  // namespace
}  // namespace veltaro
