// The channel between two instances, over a real Unix socket.
#include "platform/instance_channel.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <thread>

#include "test_support.h"

namespace veltaro {
namespace {

using testing::TempFolder;

TEST(InstanceChannel, CommandIsAnsweredAfterTheHandlerRan) {
    TempFolder runtime;
    const std::filesystem::path socket = InstanceSocketPath(runtime.Path(), 4242);
    EXPECT_EQ(socket, runtime.Path() / "veltaro" / "4242.sock");
    std::unique_ptr<InstanceListener> listener = InstanceListener::Listen(socket);
    ASSERT_NE(listener, nullptr);
    EXPECT_EQ(testing::PermissionsOf(socket.parent_path()), std::filesystem::perms::owner_all);

    bool handled = false;
    std::thread server([&] {
        std::unique_ptr<InstanceRequest> request;
        while (!(request = listener->Accept())) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_EQ(request->Command(), 32785);
        handled = true;
        request->Answer(7);
    });
    int answer = 0;
    EXPECT_EQ(SendInstanceCommand(socket, 32785, std::chrono::seconds(10), &answer),
              SendOutcome::Answered);
    server.join();
    EXPECT_TRUE(handled);
    EXPECT_EQ(answer, 7);
}

TEST(InstanceChannel, StaleIdHasNobodyListening) {
    TempFolder runtime;
    const std::filesystem::path socket = InstanceSocketPath(runtime.Path(), 99);
    EXPECT_EQ(SendInstanceCommand(socket, 32785, std::chrono::seconds(1)),
              SendOutcome::NobodyListening);
    // The file a crashed instance left behind: still nobody listening.
    { InstanceListener::Listen(socket).reset(); }
    std::filesystem::create_directories(socket.parent_path());
    testing::WriteText(socket, "");
    EXPECT_EQ(SendInstanceCommand(socket, 32785, std::chrono::seconds(1)),
              SendOutcome::NobodyListening);
}

TEST(InstanceChannel, MalformedCommandsAreDroppedAndAPeerThatNeverAnswersTimesOut) {
    TempFolder runtime;
    const std::filesystem::path socket = InstanceSocketPath(runtime.Path(), 1);
    std::unique_ptr<InstanceListener> listener = InstanceListener::Listen(socket);
    ASSERT_NE(listener, nullptr);
    const int peer = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", socket.c_str());
    ASSERT_EQ(::connect(peer, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(::write(peer, "exit\n", 5), 5);
    EXPECT_EQ(listener->Accept(), nullptr);
    ::close(peer);
    // Accepted but never answered: the sender gives up after its timeout.
    EXPECT_EQ(SendInstanceCommand(socket, 32785, std::chrono::milliseconds(100)),
              SendOutcome::NoAnswer);
}

}  // namespace
}  // namespace veltaro
