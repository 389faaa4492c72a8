// The channel between two instances, over a real Unix socket.
#include "platform/instance_channel.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "instance_peer.h"
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
        EXPECT_EQ(testing::AnswerOneCommand(*listener, 7), 32785);
        handled = true;
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

int ConnectTo(const std::filesystem::path& socket) {
    const int peer = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", socket.c_str());
    EXPECT_EQ(::connect(peer, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    return peer;
}

TEST(InstanceChannel, ReadingNeverWaitsForASilentPeerAndDropsMalformedCommands) {
    TempFolder runtime;
    const std::filesystem::path socket = InstanceSocketPath(runtime.Path(), 1);
    std::unique_ptr<InstanceListener> listener = InstanceListener::Listen(socket);
    ASSERT_NE(listener, nullptr);
    EXPECT_EQ(listener->Accept(), nullptr);  // nobody connected: no wait either

    const int silent = ConnectTo(socket);
    std::unique_ptr<InstanceConnection> connection = listener->Accept();
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(connection->ReadAvailable(), InstanceConnection::Progress::NeedMore);
    ASSERT_EQ(::write(silent, "327", 3), 3);
    EXPECT_EQ(connection->ReadAvailable(), InstanceConnection::Progress::NeedMore);
    ASSERT_EQ(::write(silent, "85\n", 3), 3);
    EXPECT_EQ(connection->ReadAvailable(), InstanceConnection::Progress::Complete);
    EXPECT_EQ(connection->Command(), 32785);
    ::close(silent);

    for (const std::string& sent : {std::string("exit\n"), std::string(40, '1'), std::string()}) {
        const int peer = ConnectTo(socket);
        ASSERT_EQ(::write(peer, sent.data(), sent.size()), static_cast<ssize_t>(sent.size()));
        connection = listener->Accept();
        ASSERT_NE(connection, nullptr);
        ::close(peer);
        EXPECT_EQ(connection->ReadAvailable(), InstanceConnection::Progress::Broken) << sent;
    }
}

TEST(InstanceChannel, APeerThatNeverAnswersTimesOut) {
    TempFolder runtime;
    const std::filesystem::path socket = InstanceSocketPath(runtime.Path(), 1);
    std::unique_ptr<InstanceListener> listener = InstanceListener::Listen(socket);
    ASSERT_NE(listener, nullptr);
    EXPECT_EQ(SendInstanceCommand(socket, 32785, std::chrono::milliseconds(100)),
              SendOutcome::NoAnswer);
}

TEST(InstanceChannel, ListsTheIdsOfTheSocketsInTheFolder) {
    TempFolder runtime;
    EXPECT_TRUE(InstanceSocketIds(runtime.Path()).empty());
    std::unique_ptr<InstanceListener> live =
        InstanceListener::Listen(InstanceSocketPath(runtime.Path(), 12));
    ASSERT_NE(live, nullptr);
    testing::WriteText(InstanceSocketPath(runtime.Path(), 345), "");  // left by a killed one
    testing::WriteText(runtime.Path() / "veltaro" / "notes.txt", "");
    testing::WriteText(runtime.Path() / "veltaro" / "x7.sock", "");

    std::vector<int> ids = InstanceSocketIds(runtime.Path());
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{12, 345}));
}

}  // namespace
}  // namespace veltaro
