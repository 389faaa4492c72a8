// The real `veltaro` with a plan due a few seconds after its start, in a desktop of the test's
// own: an X server, a session bus and logind's double on a private system bus. The alert comes up;
// when its countdown runs out (shortened through VELTARO_TEST_ALERT_TICK_MS) the plan's action
// reaches logind exactly once, and a cancelled alert reaches it not at all.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QDBusMessage>
#include <thread>

#include "app/command_ids.h"
#include "desktop_doubles.h"
#include "platform/clock.h"
#include "platform/instance_channel.h"
#include "program_sandbox.h"
#include "remind/remind_file.h"

namespace veltaro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::PrivateBus;
using testing::PrivateDisplay;
using testing::ProgramSandbox;
using testing::TempFolder;

int argc = 1;
char name[] = "remind_program_test";
char* argv[] = {name, nullptr};

const QString kSystemConnection = QStringLiteral("remind-test-system");
const std::string kAlertTitle = "^Remind Active - Veltaro$";

class RemindProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { new QCoreApplication(argc, argv); }

    void SetUp() override {
        ASSERT_FALSE(display.Name().empty()) << "no X server could be started";
        system = QDBusConnection::connectToBus(QString::fromStdString(systemBus.Address()),
                                               kSystemConnection);
        logind = testing::StartDbusMock(systemBus.Address(), true, "logind", logindLog);
        ASSERT_TRUE(testing::WaitForService(system, QStringLiteral("org.freedesktop.login1")));
    }
    void TearDown() override { QDBusConnection::disconnectFromBus(kSystemConnection); }

    // A date plan with `action` due `ahead` from now, written before the program starts.
    void WritePlanDueIn(std::chrono::seconds ahead, int action) {
        const std::tm due = LocalTime(SystemClock().NowSeconds() + ahead.count());
        char item[256];
        std::snprintf(item, sizeof item,
                      R"(<Item Lunar="0" Year="%d" Month="%d" Day="%d" Action="%d" ID="0" )"
                      R"(Hour="%d" Minute="%d" Second="%d">end to end</Item>)",
                      due.tm_year + 1900, due.tm_mon + 1, due.tm_mday, action, due.tm_hour,
                      due.tm_min, due.tm_sec);
        testing::WriteText(RemindFilePath(sandbox.ProgramFolder()),
                           std::string("<Quorvane><RemindList><DateType>") + item +
                               "</DateType><WeeklyType></WeeklyType></RemindList></Quorvane>");
    }

    pid_t StartProgram(int alertTickMs) {
        const pid_t pid =
            sandbox.Start({"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display.Name(),
                           "DBUS_SESSION_BUS_ADDRESS=" + sessionBus.Address(),
                           "DBUS_SYSTEM_BUS_ADDRESS=" + systemBus.Address(),
                           "VELTARO_TEST_ALERT_TICK_MS=" + std::to_string(alertTickMs)});
        EXPECT_TRUE(sandbox.WaitUntilRunning(pid));
        return pid;
    }

    // Waits up to 20 s for the alert of `pid`: a plan is due several seconds after the start.
    bool WaitForAlert(pid_t pid) {
        for (int wait = 0; wait < 200; ++wait) {
            if (testing::VisibleWindows(display.Name(), pid, kAlertTitle) > 0) {
                return true;
            }
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }

    // The logind calls made so far, without signals and session lookups.
    std::vector<std::string> LogindCalls() {
        std::vector<std::string> calls;
        for (const std::string& line : testing::LinesOf(logindLog)) {
            const std::string call = line.substr(line.find(' ') + 1);
            if (!call.starts_with("emit ") && !call.starts_with("GetSession")) {
                calls.push_back(call);
            }
        }
        return calls;
    }

    TempFolder folder;
    PrivateDisplay display;
    PrivateBus sessionBus{folder.Path(), "session"};
    PrivateBus systemBus{folder.Path(), "system"};
    QDBusConnection system{QStringLiteral("unset")};
    fs::path logindLog = folder.Path() / "logind.log";
    std::unique_ptr<ChildProcess> logind;
    ProgramSandbox sandbox;
};

// As a user does it: the editor from the menu's command, New Plan, a time a few seconds ahead
// typed into the time picker, Standby, Save. The editor saves the file and re-arms the
// scheduler; the plan alerts above the editor, and its countdown runs out into Standby.
TEST_F(RemindProgramTest, APlanSavedInTheEditorAlertsAndItsActionRunsWhenTheCountdownRunsOut) {
    const pid_t pid = StartProgram(40);
    const fs::path socket = InstanceSocketPath(sandbox.RuntimeDir(), pid);
    ASSERT_EQ(SendInstanceCommand(socket, kCommandRemindPlan, 5s), SendOutcome::Answered);
    ASSERT_TRUE(testing::WaitForVisibleWindows(display.Name(), pid, "^Remind Plan - Veltaro$"));
    const std::tm due = LocalTime(SystemClock().NowSeconds() + 9);
    char time[16];
    std::snprintf(time, sizeof time, "%02d%02d%02d", due.tm_hour, due.tm_min, due.tm_sec);
    // From the list, six tabs reach the picker's hour (Date, year, month, day, Lunar on the way);
    // the picker moves on by itself as each field is typed; one tab more is the action list.
    testing::RunXdotool(display.Name(),
                        "search --onlyvisible --name '^Remind Plan - Veltaro$' windowfocus --sync");
    std::this_thread::sleep_for(300ms);  // until the window has taken the focus
    testing::RunXdotool(display.Name(), "key alt+n");
    std::this_thread::sleep_for(300ms);  // the button's click comes after its press is shown
    testing::RunXdotool(display.Name(), "key --delay 60 Tab Tab Tab Tab Tab Tab");
    testing::RunXdotool(display.Name(), "type --delay 60 " + std::string(time));
    testing::RunXdotool(display.Name(), "key --delay 60 Tab Down Down Down Down Down Down alt+s");
    const std::string plan =
        "Year=\"Any\" Month=\"Any\" Day=\"Any\" Action=\"6\" ID=\"0\" Hour=\"" +
        std::to_string(due.tm_hour) + "\" Minute=\"" + std::to_string(due.tm_min) + "\" Second=\"" +
        std::to_string(due.tm_sec) + "\"";
    std::string file;
    for (int wait = 0; wait < 50 && file.find(plan) == std::string::npos; ++wait) {
        std::this_thread::sleep_for(100ms);
        file = testing::ReadText(RemindFilePath(sandbox.ProgramFolder()));
    }
    EXPECT_NE(file.find(plan), std::string::npos) << file;

    EXPECT_TRUE(WaitForAlert(pid));
    EXPECT_NE(testing::WaitForLine(logindLog, "", 0, 10s), "") << "no logind call came";
    std::this_thread::sleep_for(1s);  // for any further call that should not come
    EXPECT_EQ(LogindCalls(), std::vector<std::string>{"Suspend False"});
    EXPECT_EQ(testing::VisibleWindows(display.Name(), pid, kAlertTitle), 0);
    ::kill(pid, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(pid), 0);
}

TEST_F(RemindProgramTest, ACancelledAlertMakesNoCall) {
    WritePlanDueIn(10s, 3);  // Restart
    const pid_t pid = StartProgram(1000);
    ASSERT_TRUE(WaitForAlert(pid));
    testing::RunXdotool(display.Name(), "search --onlyvisible --name '" + kAlertTitle +
                                            "' windowfocus --sync key --clearmodifiers Escape");
    for (int wait = 0; wait < 50 && testing::VisibleWindows(display.Name(), pid, kAlertTitle) > 0;
         ++wait) {
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_EQ(testing::VisibleWindows(display.Name(), pid, kAlertTitle), 0) << "still open";
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(LogindCalls(), std::vector<std::string>{});
    ::kill(pid, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(pid), 0);
}

// The exit closes an open alert unanswered: the program ends, and the plan's action is not
// carried out.
TEST_F(RemindProgramTest, AnExitWhileAnAlertIsOpenEndsTheProgramWithoutTheAction) {
    WritePlanDueIn(10s, 2);  // Shutdown
    const pid_t pid = StartProgram(1000);
    ASSERT_TRUE(WaitForAlert(pid));
    ::kill(pid, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(pid, 5s), 0);
    EXPECT_EQ(sandbox.Hwnd(), 0u) << "the exit steps ran to their end";
    EXPECT_EQ(LogindCalls(), std::vector<std::string>{});
}

}  // namespace
}  // namespace veltaro
