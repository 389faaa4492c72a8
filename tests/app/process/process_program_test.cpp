// The real `veltaro` on an X server and session bus of the test's own opens the process manager
// from its command, once however often it is asked, and closes it on Exit.
#include <gtest/gtest.h>

#include "app/command_ids.h"
#include "desktop_doubles.h"
#include "platform/instance_channel.h"
#include "program_sandbox.h"

namespace veltaro {
namespace {

TEST(ProcessProgram, TheCommandOpensOneProcessManagerAndExitClosesIt) {
    const testing::TempFolder folder;
    const testing::PrivateDisplay display;
    ASSERT_FALSE(display.Name().empty()) << "no X server could be started";
    const testing::PrivateBus sessionBus(folder.Path(), "session");
    testing::ProgramSandbox sandbox;
    const pid_t pid =
        sandbox.Start({"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display.Name(), "LANG=C.UTF-8", "LC_ALL",
                       "LC_MESSAGES", "DBUS_SESSION_BUS_ADDRESS=" + sessionBus.Address(),
                       "DBUS_SYSTEM_BUS_ADDRESS=unix:path=" + folder.File("no-system-bus")});
    ASSERT_TRUE(sandbox.WaitUntilRunning(pid));
    const std::filesystem::path socket = InstanceSocketPath(sandbox.RuntimeDir(), pid);
    const std::string title = "^Process Manager - Veltaro$";

    for (int request = 0; request < 2; ++request) {
        // Answered at once, also while the window is open.
        EXPECT_EQ(SendInstanceCommand(socket, kCommandProcessManager, std::chrono::seconds(5)),
                  SendOutcome::Answered);
    }
    ASSERT_TRUE(testing::WaitForVisibleWindows(display.Name(), pid, title));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(testing::VisibleWindows(display.Name(), pid, title), 1);

    EXPECT_EQ(SendInstanceCommand(socket, kCommandExit, std::chrono::seconds(10)),
              SendOutcome::Answered);
    EXPECT_EQ(sandbox.WaitForExit(pid), 0);
    EXPECT_EQ(sandbox.Hwnd(), 0u) << "the exit steps ran to their end";
}

}  // namespace
}  // namespace veltaro
