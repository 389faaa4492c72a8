// The power commands against a logind double (python3-dbusmock's template) on a private system
// bus: each command makes exactly its own call and nothing else.
#include "platform/desktop_power_control.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <fstream>
#include <sstream>

#include "child_process.h"
#include "temp_folder.h"

namespace veltaro {
namespace {

using testing::ChildProcess;
using testing::PrivateBus;
using testing::TempFolder;

int argc = 1;
char name[] = "desktop_power_control_test";
char* argv[] = {name, nullptr};

const QString kLogind = QStringLiteral("org.freedesktop.login1");

class DesktopPowerControlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { new QCoreApplication(argc, argv); }

    void SetUp() override {
        systemBus = QDBusConnection::connectToBus(QString::fromStdString(bus.Address()),
                                                  QStringLiteral("test-system"));
        ASSERT_TRUE(systemBus.isConnected());
    }
    void TearDown() override {
        logind.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("test-system"));
    }

    void StartLogind() {
        logind = std::make_unique<ChildProcess>(
            std::vector<std::string>{"/usr/bin/python3", "-m", "dbusmock", "--system", "-t",
                                     "logind", "-l", log},
            std::vector<std::string>{"DBUS_SYSTEM_BUS_ADDRESS=" + bus.Address()});
        for (int wait = 0; wait < 1000; ++wait) {
            if (systemBus.interface()->isServiceRegistered(kLogind)) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(systemBus.interface()->isServiceRegistered(kLogind));
        Mock("AddSession",
             {QStringLiteral("c1"), QStringLiteral("seat0"), 1000u, QStringLiteral("user"), true});
    }

    // Replaces (or adds) a method of the logind manager double.
    void MockManagerMethod(const char* method, const char* in, const char* out, const char* code) {
        Mock("AddMethod", {QStringLiteral("org.freedesktop.login1.Manager"), method, in, out,
                           QString::fromUtf8(code)});
    }

    void Mock(const char* method, const QVariantList& arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            kLogind, QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QString::fromUtf8(method));
        call.setArguments(arguments);
        const QDBusMessage reply = systemBus.call(call);
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    // The method calls logged since the last look, without their time stamps and without the
    // double's own bookkeeping.
    std::vector<std::string> NewCalls() {
        std::ifstream in(log);
        in.seekg(logRead);
        std::vector<std::string> calls;
        std::string line;
        while (std::getline(in, line)) {
            logRead += static_cast<std::streamoff>(line.size() + 1);
            const std::string call = line.substr(line.find(' ') + 1);
            const bool bookkeeping = call.starts_with("emit ") || call.starts_with("Add") ||
                                     call.starts_with("Get ") || call.starts_with("GetAll ") ||
                                     call.starts_with("Set ");
            if (!bookkeeping) {
                calls.push_back(call);
            }
        }
        return calls;
    }

    TempFolder folder;
    PrivateBus bus{folder.Path(), "system"};
    std::string log = folder.File("logind.log");
    std::streamoff logRead = 0;
    QDBusConnection systemBus{QStringLiteral("none")};
    std::unique_ptr<ChildProcess> logind;
};

TEST_F(DesktopPowerControlTest, EachCommandMakesExactlyItsOwnCall) {
    StartLogind();
    MockManagerMethod("GetSession", "s", "o",
                      "ret = dbus.ObjectPath('/org/freedesktop/login1/session/c1')");
    // Without a display the monitor command has nothing to call, and must not touch logind.
    ::unsetenv("DISPLAY");
    DesktopPowerControl control(systemBus, systemBus);
    NewCalls();
    const struct {
        PowerCommand command;
        bool done;
        std::vector<std::string> calls;
    } cases[] = {
        {PowerCommand::Logoff, true, {"GetSession \"auto\"", "Terminate"}},
        {PowerCommand::Restart, true, {"Reboot False"}},
        {PowerCommand::Shutdown, true, {"PowerOff False"}},
        {PowerCommand::Lock, true, {"GetSession \"auto\"", "Lock"}},
        {PowerCommand::Hibernate, true, {"Hibernate False"}},
        {PowerCommand::Standby, true, {"Suspend False"}},
        {PowerCommand::MonitorOff, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(PowerCommandName(c.command));
        EXPECT_EQ(control.Perform(c.command), c.done);
        EXPECT_EQ(NewCalls(), c.calls);
    }
}

TEST_F(DesktopPowerControlTest, SessionFoundByProcessWhenAutoIsRefused) {
    StartLogind();
    MockManagerMethod("GetSession", "s", "o",
                      "raise dbus.exceptions.DBusException('no session', "
                      "name='org.freedesktop.login1.NoSessionForPID')");
    MockManagerMethod("GetSessionByPID", "u", "o",
                      "ret = dbus.ObjectPath('/org/freedesktop/login1/session/c1')");
    DesktopPowerControl control(systemBus, systemBus);
    NewCalls();
    EXPECT_TRUE(control.Perform(PowerCommand::Lock));
    EXPECT_EQ(NewCalls(),
              (std::vector<std::string>{"GetSession \"auto\"",
                                        "GetSession raised: "
                                        "org.freedesktop.login1.NoSessionForPID: "
                                        "no session",
                                        "GetSessionByPID " + std::to_string(::getpid()), "Lock"}));
}

TEST_F(DesktopPowerControlTest, WithoutLogindACommandFailsAndIsLogged) {
    DesktopPowerControl control(systemBus, systemBus);
    ShutdownPrivilegeEnabled = false;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(RunPowerCommand(control, PowerCommand::Shutdown));
    const std::string logged = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(logged.find("shutdown"), std::string::npos) << logged;
    // The privilege step ran first and is not needed again.
    EXPECT_TRUE(ShutdownPrivilegeEnabled);
}

}  // namespace
}  // namespace veltaro
