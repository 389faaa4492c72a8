// The perpetual calendar and today's pages in the real `veltaro` on an X server of the test's own,
// asked for as a key binding would: through `veltaro-cli open calendar` and the instance socket.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
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

class CalendarProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(display.Name().empty()) << "no X server could be started";
        // The default browser: what it is asked to open ends up in a file.
        fs::create_directories(browserFolder);
        const fs::path browser = browserFolder / "xdg-open";
        std::ofstream(browser) << "#!/bin/sh\necho \"$1\" >> '" << openedLog.string() << "'\n";
        fs::permissions(browser, fs::perms::owner_all);
    }

    pid_t StartProgram(int language) {
        sandbox.Settings().Write(
            {{"Language", DwordSetting(static_cast<std::uint32_t>(language))}});
        const pid_t pid = sandbox.Start({"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display.Name(),
                                         "PATH=" + browserFolder.string() + ":/usr/bin:/bin"});
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
