// The real `veltaro` in a desktop of the test's own: an X server, a session bus with a tray host
// (the project's StatusNotifierWatcher, or trayer for XEmbed), a notification service and logind
// doubles. The test looks at the icon, tooltip and menu from the panel's side and clicks as a
// user would.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QDBusMessage>
#include <thread>

#include "app/command_ids.h"
#include "desktop_doubles.h"
#include "platform/clock.h"
#include "platform/instance_channel.h"
#include "platform/interface_language.h"
#include "program_sandbox.h"
#include "tray/clock_picture.h"
#include "tray/tray_texts.h"

namespace veltaro {
namespace {

namespace fs = std::filesystem;
using testing::ChildProcess;
using testing::MenuNode;
using testing::PrivateBus;
using testing::PrivateDisplay;
using testing::ProgramSandbox;
using testing::SniItemProbe;
using testing::TempFolder;
using testing::WaitForLine;

int argc = 1;
char name[] = "tray_program_test";
char* argv[] = {name, nullptr};

const QString kSessionConnection = QStringLiteral("tray-test-session");
const QString kSystemConnection = QStringLiteral("tray-test-system");

std::vector<QString> LabelsOf(const MenuNode& menu) {
    std::vector<QString> labels;
    for (const MenuNode& child : menu.children) {
        labels.push_back(child.Label());
    }
    return labels;
}

class TrayProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { new QCoreApplication(argc, argv); }

    void SetUp() override {
        session = QDBusConnection::connectToBus(QString::fromStdString(sessionBus.Address()),
                                                kSessionConnection);
        ASSERT_TRUE(session.isConnected());
        ASSERT_FALSE(display.Name().empty()) << "no X server could be started";
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(kSessionConnection);
        QDBusConnection::disconnectFromBus(kSystemConnection);
    }

    // `changes` come last, so they override the desktop's defaults.
    pid_t StartProgram(const std::vector<std::string>& changes = {}) {
        std::vector<std::string> environment = {
            "QT_QPA_PLATFORM=xcb", "DISPLAY=" + display.Name(),
            "DBUS_SESSION_BUS_ADDRESS=" + sessionBus.Address(),
            "DBUS_SYSTEM_BUS_ADDRESS=unix:path=" + folder.File("no-system-bus")};
        environment.insert(environment.end(), changes.begin(), changes.end());
        const pid_t pid = sandbox.Start(environment);
        EXPECT_TRUE(sandbox.WaitUntilRunning(pid));
        return pid;
    }

    // Starts the watcher and returns its log line count before it ran.
    std::size_t StartWatcher() {
        const std::size_t before = testing::LinesOf(watcherLog).size();
        watcher = testing::StartSniWatcher(sessionBus.Address(), watcherLog);
        EXPECT_NE(WaitForLine(watcherLog, "ready", before), "");
        return before;
    }

    // The bus name of the item that registered after `skipLines` lines of the watcher's log.
    QString RegisteredItem(std::size_t skipLines) {
        const std::string line = WaitForLine(watcherLog, "register ", skipLines);
        return line.empty() ? QString() : QString::fromStdString(line.substr(9));
    }

    void EndProgram(pid_t pid) {
        ::kill(pid, SIGTERM);
        EXPECT_EQ(sandbox.WaitForExit(pid), 0);
    }

    TempFolder folder;
    PrivateDisplay display;
    PrivateBus sessionBus{folder.Path(), "session"};
    QDBusConnection session{QStringLiteral("unset")};
    ProgramSandbox sandbox;
    fs::path watcherLog = folder.Path() / "watcher.log";
    std::unique_ptr<ChildProcess> watcher;
};

TEST_F(TrayProgramTest, StatusNotifierItemShowsTheClockTooltipAndMenu) {
    const std::size_t before = StartWatcher();
    const std::int64_t startedAt = std::time(nullptr);
    const pid_t pid = StartProgram();
    const QString item = RegisteredItem(before);
    ASSERT_FALSE(item.isEmpty()) << "the icon never registered";
    SniItemProbe probe(session, item);

    // The picture and the text of this second or of one a moment ago.
    const std::vector<std::uint32_t> pixels = probe.IconPixels();
    const QString toolTip = probe.ToolTipTitle();
    bool pictureShown = false;
    bool toolTipShown = false;
    for (std::int64_t at = startedAt - 1; at <= std::time(nullptr); ++at) {
        const std::tm local = LocalTime(at);
        const ClockPicture drawn = DrawClockPicture(local.tm_hour, local.tm_min, local.tm_sec);
        pictureShown = pictureShown || std::equal(pixels.begin(), pixels.end(),
                                                  drawn.Pixels().begin(), drawn.Pixels().end());
        toolTipShown =
            toolTipShown || toolTip == QString::fromStdString(TrayToolTip(local, kLanguageEnglish));
    }
    EXPECT_TRUE(pictureShown);
    EXPECT_TRUE(toolTipShown) << toolTip.toStdString();

    const MenuNode menu = probe.MenuLayout();
    EXPECT_EQ(LabelsOf(menu),
              (std::vector<QString>{"_Calculagraph...", "_Perpetual Calendar...",
                                    "Process Manager...", "Remind Plan...", "", "History Today...",
                                    "Holiday Today...", "", "_Shutdown", "_Language", "",
                                    "Remind on the hour", "", "_About Veltaro..."}));
    ASSERT_EQ(menu.children.size(), 14u);
    EXPECT_EQ(
        LabelsOf(menu.children[8]),
        (std::vector<QString>{"_1 Logoff", "_2 Restart", "_3 Shutdown", "_4 Lock", "_5 Hibernate",
                              "_6 Standby", "_7 Close Monitor", "", "E_xit"}));
    EXPECT_EQ(menu.Find("Remind on the hour")->ToggleState(), 1);
    EXPECT_EQ(menu.Find("English")->ToggleState(), 1);
    EXPECT_NE(menu.Find("中文")->ToggleState(), 1);

    // The chime off, then Chinese: the menu and the tooltip follow at once.
    ASSERT_TRUE(probe.ClickMenuItem(menu.Find("Remind on the hour")->id));
    ASSERT_TRUE(probe.ClickMenuItem(menu.Find("中文")->id));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const MenuNode chinese = probe.MenuLayout();
    ASSERT_EQ(chinese.children.size(), 14u);
    EXPECT_EQ(chinese.children[0].Label(), "计时器(_C)...");
    EXPECT_NE(chinese.Find("整点报时(_H)")->ToggleState(), 1);
    EXPECT_EQ(chinese.Find("中文")->ToggleState(), 1);
    EXPECT_TRUE(probe.ToolTipTitle().startsWith(QStringLiteral("Veltaro 6.0\n本地时间: ")));

    EndProgram(pid);
    const FileSettingsStore settings = sandbox.Settings();
    EXPECT_EQ(settings.ReadDword("Language"), 4u);
    EXPECT_EQ(settings.ReadDword("RemindOnHour"), 0u);
}

// Each push costs the panel a redraw: within a few seconds at most a minute's change goes out
// (a new picture and a new tooltip), never a redraw per cycle.
TEST_F(TrayProgramTest, IconAndTooltipArePushedOnlyWhenTheyChange) {
    const std::size_t before = StartWatcher();
    const pid_t pid = StartProgram();
    const QString item = RegisteredItem(before);
    ASSERT_FALSE(item.isEmpty());
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const auto pushes = [this, &item] {
        int count = 0;
        for (const std::string& line : testing::LinesOf(watcherLog)) {
            const QString text = QString::fromStdString(line);
            count += text == "NewIcon " + item || text == "NewToolTip " + item ? 1 : 0;
        }
        return count;
    };
    const int settled = pushes();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    EXPECT_LE(pushes() - settled, 2);
    EndProgram(pid);
}

// A stored picture that is gone gives way to the one beside the program, and that choice is what
// the exit saves; with neither, the menu still opens.
TEST_F(TrayProgramTest, MenuBackgroundFallsBackToThePictureBesideTheProgram) {
    const fs::path shipped = fs::path(VELTARO_PROGRAM).parent_path() / "Background.bmp";
    for (const bool besideTheProgram : {true, false}) {
        SCOPED_TRACE(besideTheProgram);
        const fs::path beside = sandbox.ProgramFolder() / "Background.bmp";
        fs::remove(beside);
        if (besideTheProgram) {
            fs::copy_file(shipped, beside);
        }
        sandbox.Settings().Write({{"Background", StringSetting(folder.File("gone.bmp"))}});
        const std::size_t before = StartWatcher();
        const pid_t pid = StartProgram();
        const QString item = RegisteredItem(before);
        ASSERT_FALSE(item.isEmpty());
        EXPECT_EQ(SniItemProbe(session, item).MenuLayout().children.size(), 14u);
        EndProgram(pid);
        EXPECT_EQ(sandbox.Settings().ReadPathString("Background"), beside.string());
        watcher.reset();
    }
}

TEST_F(TrayProgramTest, AWatcherThatComesLateOrRestartsGetsTheIcon) {
    const pid_t pid = StartProgram();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const std::size_t first = StartWatcher();
    EXPECT_FALSE(RegisteredItem(first).isEmpty()) << "a panel started after the program";
    watcher.reset();
    const std::size_t second = StartWatcher();
    EXPECT_FALSE(RegisteredItem(second).isEmpty()) << "a panel that restarted";
    EndProgram(pid);
}

TEST_F(TrayProgramTest, ExitFromAnySourceWhileTheAboutBoxIsOpenClosesIt) {
    enum class ExitSource { Menu, InstanceCommand, Signal };
    for (const ExitSource source :
         {ExitSource::Menu, ExitSource::InstanceCommand, ExitSource::Signal}) {
        SCOPED_TRACE(static_cast<int>(source));
        const std::size_t before = StartWatcher();
        const pid_t pid = StartProgram();
        const QString item = RegisteredItem(before);
        ASSERT_FALSE(item.isEmpty());
        SniItemProbe probe(session, item);
        const MenuNode menu = probe.MenuLayout();
        ASSERT_TRUE(probe.ClickMenuItem(menu.Find("_About Veltaro...")->id));
        // A second request while it is open is answered at once and opens nothing more.
        const fs::path socket = InstanceSocketPath(sandbox.RuntimeDir(), pid);
        EXPECT_EQ(SendInstanceCommand(socket, kCommandAbout, std::chrono::seconds(5)),
                  SendOutcome::Answered);
        ASSERT_TRUE(testing::WaitForVisibleWindows(display.Name(), pid, "^About Veltaro 6.0$"));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(testing::VisibleWindows(display.Name(), pid, "^About Veltaro 6.0$"), 1);
        switch (source) {
            case ExitSource::Menu:
                ASSERT_TRUE(probe.ClickMenuItem(menu.Find("E_xit")->id));
                break;
            case ExitSource::InstanceCommand:
                // As `veltaro-cli open exit` and a newer instance send it: answered after the
                // exit steps.
                EXPECT_EQ(SendInstanceCommand(socket, kCommandExit, std::chrono::seconds(10)),
                          SendOutcome::Answered);
                EXPECT_EQ(sandbox.Hwnd(), 0u);
                break;
            case ExitSource::Signal:
                ::kill(pid, SIGTERM);
                break;
        }
        EXPECT_EQ(sandbox.WaitForExit(pid), 0);
        EXPECT_EQ(sandbox.Hwnd(), 0u) << "the exit steps ran to their end";
        watcher.reset();
    }
}

TEST_F(TrayProgramTest, PowerCommandsFromTheMenuMakeTheirLogindCalls) {
    PrivateBus systemBus(folder.Path(), "system");
    QDBusConnection system = QDBusConnection::connectToBus(
        QString::fromStdString(systemBus.Address()), kSystemConnection);
    const fs::path logindLog = folder.Path() / "logind.log";
    const std::unique_ptr<ChildProcess> logind =
        testing::StartDbusMock(systemBus.Address(), true, "logind", logindLog);
    ASSERT_TRUE(testing::WaitForService(system, QStringLiteral("org.freedesktop.login1")));
    const auto mock = [&system](const char* method, const QVariantList& arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QString::fromUtf8(method));
        call.setArguments(arguments);
        return system.call(call).type() == QDBusMessage::ReplyMessage;
    };
    ASSERT_TRUE(mock("AddSession", {QStringLiteral("c1"), QStringLiteral("seat0"), 1000u,
                                    QStringLiteral("user"), true}));
    ASSERT_TRUE(
        mock("AddMethod",
             {QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("GetSession"),
              QStringLiteral("s"), QStringLiteral("o"),
              QStringLiteral("ret = dbus.ObjectPath('/org/freedesktop/login1/session/c1')")}));

    const std::size_t before = StartWatcher();
    const pid_t pid = StartProgram({"DBUS_SYSTEM_BUS_ADDRESS=" + systemBus.Address()});
    const QString item = RegisteredItem(before);
    ASSERT_FALSE(item.isEmpty());
    SniItemProbe probe(session, item);
    const MenuNode menu = probe.MenuLayout();
    const struct {
        const char* label;
        const char* call;  // nullptr: no logind call at all
    } cases[] = {
        {"_1 Logoff", "Terminate"},          {"_2 Restart", "Reboot False"},
        {"_3 Shutdown", "PowerOff False"},   {"_4 Lock", "Lock"},
        {"_5 Hibernate", "Hibernate False"}, {"_6 Standby", "Suspend False"},
        {"_7 Close Monitor", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::size_t logged = testing::LinesOf(logindLog).size();
        ASSERT_TRUE(probe.ClickMenuItem(menu.Find(QString::fromUtf8(c.label))->id));
        // The click is carried out after its answer: wait for the call, then a while for any
        // other call that should not come.
        if (c.call != nullptr) {
            EXPECT_NE(testing::WaitForLine(logindLog, "", logged, std::chrono::seconds(5)), "");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        std::vector<std::string> calls;
        const std::vector<std::string> lines = testing::LinesOf(logindLog);
        for (std::size_t index = logged; index < lines.size(); ++index) {
            const std::string call = lines[index].substr(lines[index].find(' ') + 1);
            if (!call.starts_with("emit ") && !call.starts_with("GetSession ")) {
                calls.push_back(call);
            }
        }
        EXPECT_EQ(calls, c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{});
    }
    EndProgram(pid);
}

// Seconds of the time stamp that starts a line of a dbusmock log.
double LoggedAt(const std::string& line) {
    return std::atof(line.c_str());
}

// The first line of a dbusmock log that records a call of `method`; "" when none came in time.
std::string LoggedCall(const fs::path& log, const std::string& method,
                       std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        for (const std::string& line : testing::LinesOf(log)) {
            if (line.find(" " + method + " ") != std::string::npos) {
                return line;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return "";
}

TEST_F(TrayProgramTest, TheHourIsChimedAsANotificationClosedAfterEightSeconds) {
    if (std::string(VELTARO_FAKETIME).empty()) {
        GTEST_SKIP() << "libfaketime is not installed";
    }
    const fs::path log = folder.Path() / "notifications.log";
    const std::unique_ptr<ChildProcess> daemon =
        testing::StartDbusMock(sessionBus.Address(), false, "notification_daemon", log);
    ASSERT_TRUE(testing::WaitForService(session, QStringLiteral("org.freedesktop.Notifications")));
    // The double declares the id of CloseNotification signed; the real interface has it unsigned.
    QDBusMessage fix = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("AddMethod"));
    fix << QStringLiteral("org.freedesktop.Notifications") << QStringLiteral("CloseNotification")
        << QStringLiteral("u") << QString() << QString();
    ASSERT_EQ(session.call(fix).type(), QDBusMessage::ReplyMessage);

    // A few seconds before nine in the morning, the clock running on from there.
    const std::vector<std::string> shiftedClock = {std::string("LD_PRELOAD=") + VELTARO_FAKETIME,
                                                   "FAKETIME=@2026-03-14 08:59:56",
                                                   "DONT_FAKE_MONOTONIC=1"};
    const pid_t pid = StartProgram(shiftedClock);
    const std::string notifyLine = LoggedCall(log, "Notify", std::chrono::seconds(15));
    const std::string closeLine = LoggedCall(log, "CloseNotification", std::chrono::seconds(15));
    EXPECT_NE(notifyLine.find("\"Veltaro\" 0 \"dialog-information\" \"Veltaro\" \"Remind on the "
                              "hour: Local Time 09:00...  \" [] {} 10000"),
              std::string::npos)
        << notifyLine;
    ASSERT_FALSE(closeLine.empty()) << "the notification was never closed";
    EXPECT_GE(LoggedAt(closeLine) - LoggedAt(notifyLine), 7.5);
    EndProgram(pid);

    // With the chime off the hour passes in silence.
    sandbox.Settings().WriteDword("RemindOnHour", 0);
    const std::size_t logged = testing::LinesOf(log).size();
    const pid_t quiet = StartProgram(shiftedClock);
    EXPECT_EQ(WaitForLine(log, "", logged, std::chrono::seconds(7)), "");
    EndProgram(quiet);
}

TEST_F(TrayProgramTest, XEmbedTrayTakesClicksAndGetsTheIconBackAfterARestart) {
    // The program starts before the panel, as at a logon.
    const pid_t pid = StartProgram();
    const auto startTrayer = [this] {
        return std::make_unique<ChildProcess>(
            std::vector<std::string>{"trayer", "--edge", "top", "--align", "left", "--widthtype",
                                     "pixel", "--width", "120", "--heighttype", "pixel", "--height",
                                     "32", "--transparent", "false"},
            std::vector<std::string>{"DISPLAY=" + display.Name()});
    };
    // Right on the icon: its menu opens; Escape closes it. Left: the main window shows.
    const auto menuOpensOnRightClick = [this, pid] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        // The docked icon is a window of the program too.
        const int shownBefore = testing::VisibleWindows(display.Name(), pid);
        testing::RunXdotool(display.Name(), "mousemove 10 16 click 3");
        const bool shown = testing::WaitForVisibleWindows(display.Name(), pid, ".*", shownBefore);
        testing::RunXdotool(display.Name(), "key Escape");
        return shown;
    };
    std::unique_ptr<ChildProcess> trayer = startTrayer();
    EXPECT_TRUE(menuOpensOnRightClick()) << "a tray that started after the program";
    testing::RunXdotool(display.Name(), "mousemove 10 16 click 1");
    EXPECT_TRUE(testing::WaitForVisibleWindows(display.Name(), pid, "^Veltaro$"));
    testing::RunXdotool(display.Name(), "key Escape");
    trayer.reset();
    trayer = startTrayer();
    EXPECT_TRUE(menuOpensOnRightClick()) << "a tray that restarted";
    EndProgram(pid);
}

// Plug-ins dropped into the program's Plugin/ folder: a test plug-in with one item, one with a
// submenu, and the two examples that come with the program, all in the menu between the first
// group and "History Today...", their commands routed back, their language switched, let go at
// exit.
TEST_F(TrayProgramTest, PluginsGetTheirItemsInTheMenuAndTheirCommands) {
    const fs::path plugins = sandbox.ProgramFolder() / "Plugin";
    fs::create_directories(plugins);
    for (const char* name : {"single", "submenu"}) {
        const std::string file = std::string("libtest_plugin_") + name + ".so";
        fs::copy_file(fs::path(VELTARO_TEST_PLUGIN_FOLDER) / file, plugins / ("a_" + file));
    }
    for (const char* example : {"veltaro_countdown.so", "veltaro_date_copy.so"}) {
        fs::copy_file(fs::path(VELTARO_EXAMPLE_PLUGIN_FOLDER) / example, plugins / example);
    }
    const fs::path calls = folder.Path() / "plugin-calls.log";
    const std::size_t before = StartWatcher();
    const pid_t pid = StartProgram({"VELTARO_TEST_PLUGIN_LOG=" + calls.string()});
    const QString item = RegisteredItem(before);
    ASSERT_FALSE(item.isEmpty());
    SniItemProbe probe(session, item);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the plug-ins load meanwhile

    const MenuNode menu = probe.MenuLayout();
    const std::vector<QString> labels = LabelsOf(menu);
    ASSERT_EQ(labels.size(), 19u);
    EXPECT_EQ(std::vector<QString>(labels.begin() + 5, labels.begin() + 10),
              (std::vector<QString>{"single", "submenu", "Countdown", "Copy Today's Date", ""}));
    EXPECT_EQ(labels[10], "History Today...");
    EXPECT_EQ(LabelsOf(menu.children[6]), (std::vector<QString>{"First", "Second", "", "Third"}));
    EXPECT_EQ(LabelsOf(menu.children[7]),
              (std::vector<QString>{"5 minutes", "15 minutes", "", "30 minutes"}));
    ASSERT_TRUE(probe.ClickMenuItem(menu.children[5].id));
    ASSERT_TRUE(probe.ClickMenuItem(menu.children[6].children[3].id));
    ASSERT_TRUE(probe.ClickMenuItem(menu.Find("中文")->id));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const MenuNode chinese = probe.MenuLayout();
    EXPECT_EQ(chinese.children[7].Label(), "倒计时");
    EXPECT_EQ(chinese.children[8].Label(), "复制今天的日期");
    EndProgram(pid);

    EXPECT_EQ(testing::ReadText(calls),
              "single Register\nsubmenu Register\n"
              "single Initialize\nsingle SetLanguage 9\nsubmenu Initialize\nsubmenu SetLanguage 9\n"
              "single Execute 0\nsubmenu Execute 103\n"
              "single SetLanguage 4\nsubmenu SetLanguage 4\n"
              "single Uninitialize\nsubmenu Uninitialize\n");
}

}  // namespace
}  // namespace veltaro
