// `open` against a listener standing in for the running instance.
#include "cli/open_command.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include "instance_peer.h"

#include <sstream>
#include <thread>

#include "platform/instance_channel.h"
#include "temp_folder.h"

namespace veltaro {
namespace {

using testing::TempFolder;

struct OpenResult {
    int status;
    std::string err;
};

class OpenCommandTest : public ::testing::Test {
protected:
    OpenResult Run(std::vector<std::string> arguments) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunOpenCommand(arguments, settings, folder.Path(), out, err);
        return {status, err.str()};
    }

    TempFolder folder;
    FileSettingsStore settings{folder.Path() / "settings.reg"};
};

TEST_F(OpenCommandTest, SendsTheWindowsCommandNumberToTheRunningInstance) {
    settings.WriteDword("HWND", static_cast<std::uint32_t>(::getpid()));
    std::unique_ptr<InstanceListener> listener =
        InstanceListener::Listen(InstanceSocketPath(folder.Path(), ::getpid()));
    ASSERT_NE(listener, nullptr);
    const struct {
        const char* window;
        int command;
    } cases[] = {{"show", 32813},  {"calendar", 32807}, {"process", 32793}, {"remind", 32805},
                 {"about", 32814}, {"usage", 32826},    {"exit", 32785}};
    for (const auto& c : cases) {
        int received = 0;
        std::thread instance([&] { received = testing::AnswerOneCommand(*listener, 0); });
        const OpenResult result = Run({c.window});
        instance.join();
        EXPECT_EQ(result.status, 0) << c.window << ": " << result.err;
        EXPECT_EQ(received, c.command) << c.window;
    }
}

TEST_F(OpenCommandTest, WithoutARunningInstanceItSaysSoAndFails) {
    // Never started, then a stale id with nobody listening.
    for (const std::uint32_t hwnd : {0u, 999999u}) {
        if (hwnd != 0) {
            settings.WriteDword("HWND", hwnd);
        }
        const OpenResult result = Run({"about"});
        EXPECT_EQ(result.status, 1) << hwnd;
        EXPECT_NE(result.err.find("not running"), std::string::npos) << result.err;
    }
}

TEST_F(OpenCommandTest, UnknownOrMissingWindowIsABadArgument) {
    settings.WriteDword("HWND", static_cast<std::uint32_t>(::getpid()));
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"settings"}, {"about", "show"}}) {
        EXPECT_EQ(Run(arguments).status, 2);
    }
}

}  // namespace
}  // namespace veltaro
