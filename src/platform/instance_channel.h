#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>

namespace veltaro {

// The channel through which a new instance of the program tells the running one to exit: each
// instance listens on a Unix socket named after its process id; a command number goes in, and the
// answer comes back once the command has been carried out.

// <runtimeDir>/veltaro/<pid>.sock
std::filesystem::path InstanceSocketPath(const std::filesystem::path& runtimeDir, int pid);

// One accepted command. The peer waits until `Answer` is called (or the request is destroyed).
class InstanceRequest {
public:
    InstanceRequest(int connection, int command) : connection_(connection), command_(command) {}
    ~InstanceRequest();
    InstanceRequest(const InstanceRequest&) = delete;
    InstanceRequest& operator=(const InstanceRequest&) = delete;

    int Command() const { return command_; }
    void Answer(int result);

private:
    int connection_;
    int command_;
};

class InstanceListener {
public:
    // Creates the socket's folder (0700) and listens; nullptr when that is impossible.
    static std::unique_ptr<InstanceListener> Listen(const std::filesystem::path& socketPath);
    ~InstanceListener();
    InstanceListener(const InstanceListener&) = delete;
    InstanceListener& operator=(const InstanceListener&) = delete;

    // The listening descriptor, readable when a peer connects.
    int Descriptor() const { return fd_; }

    // Takes one pending connection. Peers of another user and malformed commands are dropped:
    // the result is then empty.
    std::unique_ptr<InstanceRequest> Accept();

private:
    InstanceListener(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
    int fd_;
    std::filesystem::path path_;
};

enum class SendOutcome {
    Answered,         // the command was carried out; the answer is filled in
    NobodyListening,  // a stale id: no instance behind the socket
    NoAnswer,         // the peer closed or timed out without answering
};

// Sends `command` and waits for the answer, at most `timeout`.
SendOutcome SendInstanceCommand(const std::filesystem::path& socketPath, int command,
                                std::chrono::milliseconds timeout, int* answer = nullptr);

}  // namespace veltaro
