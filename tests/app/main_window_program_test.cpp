// The real program's main window on the test's X display (Xvfb), read and worked as a screen
// reader and a user would: through the accessibility tree, the keyboard and the mouse.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "accessibility_tree.h"
#include "app/command_ids.h"
#include "desktop_doubles.h"
#include "platform/instance_channel.h"
#include "program_sandbox.h"
#include "recorder/recorder_test_support.h"

namespace veltaro {
namespace {

namespace fs = std::filesystem;
using testing::AccessibilityTree;
using testing::CommandOutput;
using testing::LocalSeconds;
using testing::ProgramSandbox;
using testing::RunStartedAt;

const QString kApplication = QStringLiteral("Veltaro");
const QString kButton = QStringLiteral("push button");
const QString kPanel = QStringLiteral("panel");
const QString kLabel = QStringLiteral("label");

int argc = 1;
char name[] = "main_window_program_test";
char* argv[] = {name, nullptr};

bool Eventually(const std::function<bool()>& condition, int timeoutMs = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QThread::msleep(100);
    }
    return true;
}

class MainWindowProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { new QCoreApplication(argc, argv); }

    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr) {
            GTEST_SKIP() << "needs an X display (the tests run under xvfb-run)";
        }
        ASSERT_TRUE(accessibility.Connect()) << "the session bus starts the accessibility bus";
        // Three past runs; the third ended past midnight at the turn of February 2008.
        testing::WriteBytes(sandbox.ProgramFolder() / "durmet.tm",
                            testing::BytesOf({
                                RunStartedAt(LocalSeconds(2008, 2, 27, 9, 0, 0), 3'600'000),
                                RunStartedAt(LocalSeconds(2008, 2, 28, 12, 0, 0), 93'784'000),
                                RunStartedAt(LocalSeconds(2008, 3, 1, 23, 30, 0), 3'600'999),
                            }));
        // The default browser: a stand-in that notes what it was asked to open.
        fs::create_directories(browserFolder);
        testing::WriteText(browserFolder / "xdg-open",
                           "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" + opened.string() + "\"\n");
        fs::permissions(browserFolder / "xdg-open", fs::perms::owner_all);

        std::vector<std::string> environment = {
            "QT_QPA_PLATFORM=xcb", std::string("DISPLAY=") + display,
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1",
            "PATH=" + browserFolder.string() + ":/usr/bin:/bin"};
        if (const char* authority = std::getenv("XAUTHORITY")) {
            environment.push_back(std::string("XAUTHORITY=") + authority);
        }
        pid = sandbox.Start(environment);
        ASSERT_TRUE(sandbox.WaitUntilRunning(pid));
    }

    void TearDown() override {
        if (pid > 0 && sandbox.IsAlive(pid)) {
            SendInstanceCommand(InstanceSocketPath(sandbox.RuntimeDir(), pid), kCommandExit,
                                std::chrono::seconds(20));
            EXPECT_EQ(sandbox.WaitForExit(pid), 0);
        }
    }

    bool Showing(const QString& role, const QString& caption) {
        return accessibility.Find(kApplication, role, caption).has_value();
    }
    bool ShowsEventually(const QString& role, const QString& caption) {
        return Eventually([&] { return Showing(role, caption); });
    }

    ProgramSandbox sandbox;
    AccessibilityTree accessibility;
    fs::path browserFolder = sandbox.ProgramFolder().parent_path() / "browser";
    fs::path opened = sandbox.ProgramFolder().parent_path() / "opened.txt";
    pid_t pid = 0;
};

TEST_F(MainWindowProgramTest, ShowStepBackOpenALinkAndHideWithEsc) {
    // Started, the program shows nothing.
    EXPECT_FALSE(Eventually([&] { return Showing(kButton, "This Time"); }, 1500));

    ASSERT_EQ(SendInstanceCommand(InstanceSocketPath(sandbox.RuntimeDir(), pid),
                                  kCommandShowMainWindow, std::chrono::seconds(10)),
              SendOutcome::Answered);
    ASSERT_TRUE(ShowsEventually(kPanel, "The 4th startup"));
    const std::optional<testing::AccessibleElement> dialog =
        accessibility.Find(kApplication, QStringLiteral("dialog"), "Veltaro");
    ASSERT_TRUE(dialog);
    const QRect shown = accessibility.ScreenExtents(*dialog);
    int screenWidth = 0;
    int screenHeight = 0;
    std::sscanf(CommandOutput("xdotool getdisplaygeometry").c_str(), "%d %d", &screenWidth,
                &screenHeight);
    const QSize screen(screenWidth, screenHeight);
    EXPECT_NEAR(shown.center().x(), screen.width() / 2, 2) << "centred the first time";
    EXPECT_NEAR(shown.center().y(), screen.height() / 2, 2);
    EXPECT_TRUE(Showing(kLabel, "Shutdown Time: Unknown"));
    EXPECT_TRUE(Showing(kPanel, "Holiday Info"));
    EXPECT_TRUE(Showing(kLabel, "History Today"));
    const std::optional<testing::AccessibleElement> nextTime =
        accessibility.Find(kApplication, kButton, "Next Time");
    ASSERT_TRUE(nextTime);
    EXPECT_FALSE(nextTime->enabled) << "the live run has no next run";

    const std::optional<testing::AccessibleElement> lastTime =
        accessibility.Find(kApplication, kButton, "Last Time");
    ASSERT_TRUE(lastTime);
    ASSERT_TRUE(accessibility.Press(*lastTime));
    ASSERT_TRUE(ShowsEventually(kPanel, "The 3rd startup"));
    EXPECT_TRUE(Showing(kLabel, "Startup Time: 2008/03/01 23:30:00"));
    EXPECT_TRUE(Showing(kLabel, "Shutdown Time: 2008/03/02 00:30:00"));
    EXPECT_TRUE(
        Showing(kLabel, "Cumulative Time: 28 Hours 03 Minutes 04 Seconds  (Sum:1 Days 04 Hours)"));

    // A click on the web-site link goes to the desktop's default browser.
    const std::optional<testing::AccessibleElement> webSite =
        accessibility.Find(kApplication, kLabel, "www.veltaro.com");
    ASSERT_TRUE(webSite);
    const QRect link = accessibility.ScreenExtents(*webSite);
    CommandOutput("xdotool mousemove " + std::to_string(link.center().x()) + " " +
                  std::to_string(link.center().y()) + " click 1");
    EXPECT_TRUE(Eventually([&] {
        return testing::ReadText(opened) == "https://www.veltaro.com\n";
    })) << testing::ReadText(opened);

    // Esc hides the window; the program runs on.
    std::string window = CommandOutput("xdotool search --onlyvisible --name '^Veltaro$' | head -1");
    std::erase(window, '\n');
    ASSERT_FALSE(window.empty());
    CommandOutput("xdotool windowfocus --sync " + window + " key Escape");
    EXPECT_TRUE(Eventually([&] { return !Showing(kButton, "This Time"); }));
    EXPECT_TRUE(sandbox.IsAlive(pid));

    // Put elsewhere and shown again, it stays there and still shows the run the user chose.
    CommandOutput("xdotool windowmove --sync " + window + " 40 30");
    SendInstanceCommand(InstanceSocketPath(sandbox.RuntimeDir(), pid), kCommandShowMainWindow,
                        std::chrono::seconds(10));
    ASSERT_TRUE(ShowsEventually(kPanel, "The 3rd startup"));
    EXPECT_EQ(accessibility.ScreenExtents(*dialog).topLeft(), QPoint(40, 30));
}

// The window's content is made at its first showing: a language chosen before is its language.
TEST_F(MainWindowProgramTest, ALanguageChosenBeforeTheFirstShowingIsTheWindowsLanguage) {
    const std::filesystem::path socket = InstanceSocketPath(sandbox.RuntimeDir(), pid);
    ASSERT_EQ(SendInstanceCommand(socket, kCommandChinese, std::chrono::seconds(10)),
              SendOutcome::Answered);
    ASSERT_EQ(SendInstanceCommand(socket, kCommandShowMainWindow, std::chrono::seconds(10)),
              SendOutcome::Answered);
    EXPECT_TRUE(ShowsEventually(kPanel, "第 4 次启动"));
    EXPECT_TRUE(Showing(kLabel, "关机时间: 未知"));
}

}  // namespace
}  // namespace veltaro
