// The perpetual calendar and today's pages in the real `veltaro` on an X server of the test's own,
// asked for as a key binding would: through `veltaro-cli open calendar` and the instance socket.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "app/command_ids.h"
#include "calendar/local_date_time.h"
#include "desktop_doubles.h"
#include "platform/clock.h"
#include "platform/instance_channel.h"
#include "program_sandbox.h"
#include "web/page_address.h"

namespace veltaro {
namespace {

namespace fs = std::filesystem;
using testing::PrivateDisplay;
using testing::ProgramSandbox;
using testing::TempFolder;

const std::string kEnglishTitle = "^Perpetual Calendar - Veltaro$";

int argc = 1;
char name[] = "calendar_program_test";
char* argv[] = {name, nullptr};

// One object of an application on the accessibility bus, seen as a screen reader sees it.
struct AtspiObject {
    QString service;
    QString path;
};

class AtspiReader {
public:
    explicit AtspiReader(QDBusConnection bus) : bus_(std::move(bus)) {}

    QList<QDBusArgument> Call(const AtspiObject& object, const QString& interface,
                              const QString& method, const QVariantList& arguments = {}) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(object.service, object.path, interface, method);
        call.setArguments(arguments);
        const QDBusMessage reply = bus_.call(call, QDBus::Block, 5000);
        replies_ = reply.arguments();
        QList<QDBusArgument> structured;
        for (const QVariant& value : replies_) {
            if (value.canConvert<QDBusArgument>()) {
                structured << value.value<QDBusArgument>();
            }
        }
        return structured;
    }
    QVariant Plain(const AtspiObject& object, const QString& interface, const QString& method,
                   const QVariantList& arguments = {}) {
        Call(object, interface, method, arguments);
        return replies_.value(0);
    }
    static AtspiObject Reference(const QDBusArgument& argument) {
        AtspiObject object;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> object.service >> path;
        argument.endStructure();
        object.path = path.path();
        return object;
    }
    std::vector<AtspiObject> Children(const AtspiObject& object) {
        std::vector<AtspiObject> children;
        const QList<QDBusArgument> reply = Call(object, "org.a11y.atspi.Accessible", "GetChildren");
        if (reply.isEmpty()) {
            return children;
        }
        const QDBusArgument& list = reply[0];
        list.beginArray();
        while (!list.atEnd()) {
            children.push_back(Reference(list));
        }
        list.endArray();
        return children;
    }
    QString Property(const AtspiObject& object, const QString& property) {
        const QVariant value = Plain(object, "org.freedesktop.DBus.Properties", "Get",
                                     {"org.a11y.atspi.Accessible", property});
        return value.value<QDBusVariant>().variant().toString();
    }
    QString RoleName(const AtspiObject& object) {
        return Plain(object, "org.a11y.atspi.Accessible", "GetRoleName").toString();
    }
    bool Selected(const AtspiObject& object) {
        constexpr int kStateSelected = 23;
        const QList<QDBusArgument> reply = Call(object, "org.a11y.atspi.Accessible", "GetState");
        QList<uint> words;
        if (!reply.isEmpty()) {
            reply[0] >> words;
        } else {
            words = replies_.value(0).value<QList<uint>>();
        }
        return words.size() == 2 && (words[kStateSelected / 32] >> (kStateSelected % 32) & 1) != 0;
    }
    std::optional<AtspiObject> FindByRole(const AtspiObject& from, const QString& role,
                                          int depth = 8) {
        if (RoleName(from) == role) {
            return from;
        }
        if (depth == 0) {
            return std::nullopt;
        }
        for (const AtspiObject& child : Children(from)) {
            if (std::optional<AtspiObject> found = FindByRole(child, role, depth - 1)) {
                return found;
            }
        }
        return std::nullopt;
    }
    AtspiObject CellAt(const AtspiObject& table, int row, int column) {
        const QList<QDBusArgument> reply =
            Call(table, "org.a11y.atspi.Table", "GetAccessibleAt", {row, column});
        return reply.isEmpty() ? AtspiObject{} : Reference(reply[0]);
    }

private:
    QDBusConnection bus_;
    QList<QVariant> replies_;
};

class CalendarProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { new QCoreApplication(argc, argv); }
    void SetUp() override {
        ASSERT_FALSE(display.Name().empty()) << "no X server could be started";
        // The default browser: what it is asked to open ends up in a file.
        fs::create_directories(browserFolder);
        const fs::path browser = browserFolder / "xdg-open";
        std::ofstream(browser) << "#!/bin/sh\necho \"$1\" >> '" << openedLog.string() << "'\n";
        fs::permissions(browser, fs::perms::owner_all);
    }

    // `changes` come last, so they override the desktop's defaults.
    pid_t StartProgram(int language, const std::vector<std::string>& changes = {}) {
        sandbox.Settings().Write(
            {{"Language", DwordSetting(static_cast<std::uint32_t>(language))}});
        std::vector<std::string> environment = {
            "QT_QPA_PLATFORM=xcb", "DISPLAY=" + display.Name(),
            "PATH=" + browserFolder.string() + ":/usr/bin:/bin"};
        environment.insert(environment.end(), changes.begin(), changes.end());
        const pid_t pid = sandbox.Start(environment);
        EXPECT_TRUE(sandbox.WaitUntilRunning(pid));
        return pid;
    }

    // `veltaro-cli open WINDOW` as a user's key binding runs it; its exit status.
    int OpenWithCli(const std::string& window) {
        const std::string command = "XDG_CONFIG_HOME='" + sandbox.ConfigHome().string() +
                                    "' XDG_RUNTIME_DIR='" + sandbox.RuntimeDir().string() + "' '" +
                                    VELTARO_CLI_PROGRAM + "' open " + window;
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    int CalendarWindows(pid_t pid, const std::string& title = kEnglishTitle) {
        return testing::VisibleWindows(display.Name(), pid, title);
    }

    void EndProgram(pid_t pid) {
        ::kill(pid, SIGTERM);
        EXPECT_EQ(sandbox.WaitForExit(pid), 0);
    }

    TempFolder folder;
    PrivateDisplay display;
    ProgramSandbox sandbox;
    fs::path browserFolder = folder.Path() / "browser";
    fs::path openedLog = folder.Path() / "opened.log";
};

TEST_F(CalendarProgramTest, OpensOnceClosesWithEscapeAndOpensAgain) {
    const pid_t pid = StartProgram(9);
    ASSERT_EQ(OpenWithCli("calendar"), 0);
    ASSERT_TRUE(testing::WaitForVisibleWindows(display.Name(), pid, kEnglishTitle));
    // A second request while it is open is answered and opens nothing more.
    EXPECT_EQ(OpenWithCli("calendar"), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(CalendarWindows(pid), 1);

    const std::string window =
        testing::RunXdotool(display.Name(), "search --onlyvisible --pid " + std::to_string(pid) +
                                                " --name '" + kEnglishTitle + "'");
    ASSERT_FALSE(window.empty());
    const std::string id = window.substr(0, window.find('\n'));
    // Enter is Today and keeps the window; Escape closes it.
    // Without a window manager the keys go where the input focus is put by hand.
    testing::RunXdotool(display.Name(), "windowfocus --sync " + id + " key Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(CalendarWindows(pid), 1);
    testing::RunXdotool(display.Name(), "windowfocus --sync " + id + " key Escape");
    for (int wait = 0; wait < 50 && CalendarWindows(pid) > 0; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(CalendarWindows(pid), 0);

    ASSERT_EQ(OpenWithCli("calendar"), 0);
    EXPECT_TRUE(testing::WaitForVisibleWindows(display.Name(), pid, kEnglishTitle));
    // Exit ends the open window first.
    EXPECT_EQ(OpenWithCli("exit"), 0);
    EXPECT_EQ(sandbox.WaitForExit(pid), 0);
}

// A screen reader on the desktop's accessibility bus finds the month as a table and reads each
// cell's day and whether it is the selection.
TEST_F(CalendarProgramTest, AScreenReaderReadsTheMonthAsATable) {
    testing::PrivateBus sessionBus(folder.Path(), "session");
    const fs::path runtime = folder.Path() / "a11y-runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    testing::ChildProcess launcher(
        {"/usr/libexec/at-spi-bus-launcher", "--launch-immediately"},
        {"DBUS_SESSION_BUS_ADDRESS=" + sessionBus.Address(), "DISPLAY=" + display.Name(),
         "XDG_RUNTIME_DIR=" + runtime.string()});
    QDBusConnection session = QDBusConnection::connectToBus(
        QString::fromStdString(sessionBus.Address()), QStringLiteral("a11y-test-session"));
    ASSERT_TRUE(testing::WaitForService(session, QStringLiteral("org.a11y.Bus")));
    const QDBusMessage address = session.call(QDBusMessage::createMethodCall(
        "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
    ASSERT_EQ(address.type(), QDBusMessage::ReplyMessage);
    const QString a11yAddress = address.arguments().value(0).toString();
    QDBusConnection a11y =
        QDBusConnection::connectToBus(a11yAddress, QStringLiteral("a11y-test-a11y"));
    ASSERT_TRUE(a11y.isConnected());

    const pid_t pid = StartProgram(9, {"DBUS_SESSION_BUS_ADDRESS=" + sessionBus.Address(),
                                       "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1"});
    ASSERT_EQ(OpenWithCli("calendar"), 0);
    ASSERT_TRUE(testing::WaitForVisibleWindows(display.Name(), pid, kEnglishTitle));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    AtspiReader reader(a11y);
    std::optional<AtspiObject> table;
    for (const AtspiObject& application :
         reader.Children({"org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root"})) {
        table = table ? table : reader.FindByRole(application, "table");
    }
    ASSERT_TRUE(table.has_value()) << "no table on the accessibility bus";
    EXPECT_EQ(reader.Property(*table, "Name"), "Calendar");
    // The window opens on today; its cell reads the day and is the one selected.
    const LocalDate today = DateOf(LocalDateTimeFromTm(LocalTime(std::time(nullptr))));
    const int firstColumn = IsoWeekday({today.year, today.month, 1});
    const int index = today.day + firstColumn - 2;
    const AtspiObject todayCell = reader.CellAt(*table, index / 7, index % 7);
    EXPECT_EQ(reader.Property(todayCell, "Name"), QString::number(today.day));
    EXPECT_TRUE(reader.Selected(todayCell));
    const int otherIndex = index == 7 ? 8 : 7;  // a day of the second row, never blank
    const AtspiObject other = reader.CellAt(*table, 1, otherIndex % 7);
    EXPECT_EQ(reader.Property(other, "Name"), QString::number(otherIndex + 2 - firstColumn));
    EXPECT_FALSE(reader.Selected(other));
    EndProgram(pid);
    QDBusConnection::disconnectFromBus(QStringLiteral("a11y-test-a11y"));
    QDBusConnection::disconnectFromBus(QStringLiteral("a11y-test-session"));
}

TEST_F(CalendarProgramTest, TheChineseInterfaceTitlesTheWindowInChinese) {
    const pid_t pid = StartProgram(4);
    ASSERT_EQ(OpenWithCli("calendar"), 0);
    EXPECT_TRUE(testing::WaitForVisibleWindows(display.Name(), pid, "^万年历 - Veltaro$"));
    EndProgram(pid);
}

TEST_F(CalendarProgramTest, TodaysPagesOpenInTheDefaultBrowserInTheCurrentLanguage) {
    const pid_t pid = StartProgram(4);
    const fs::path socket = InstanceSocketPath(sandbox.RuntimeDir(), pid);
    const LocalDate today = DateOf(LocalDateTimeFromTm(LocalTime(std::time(nullptr))));
    ASSERT_EQ(SendInstanceCommand(socket, kCommandHistoryToday, std::chrono::seconds(5)),
              SendOutcome::Answered);
    ASSERT_EQ(SendInstanceCommand(socket, kCommandHolidayToday, std::chrono::seconds(5)),
              SendOutcome::Answered);
    ASSERT_NE(testing::WaitForLine(openedLog, "", 1), "");
    // Each open is a browser process of its own, so they may finish in either order; the day is
    // read again should it have turned meanwhile.
    std::vector<std::string> opened = testing::LinesOf(openedLog);
    std::sort(opened.begin(), opened.end());
    const LocalDate now = DateOf(LocalDateTimeFromTm(LocalTime(std::time(nullptr))));
    std::vector<std::vector<std::string>> expected;
    for (const LocalDate& day : {today, now}) {
        expected.push_back({HistoryPageAddress(day.year, day.month, day.day, 4),
                            HolidayPageAddress(day.year, day.month, day.day, -1, -1, 4)});
    }
    EXPECT_TRUE(opened == expected[0] || opened == expected[1]) << ::testing::PrintToString(opened);
    EndProgram(pid);
}

}  // namespace
}  // namespace veltaro
