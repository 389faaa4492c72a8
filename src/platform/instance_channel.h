#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace veltaro {

// The channel through which a new instance of the program tells the running one to exit: each
// instance listens on a Unix socket named after its process id; a command number goes in, and the
// answer comes back once the command has been carried out.

// <runtimeDir>/veltaro/<pid>.sock
std::filesystem::path InstanceSocketPath(const std::filesystem::path& runtimeDir, int pid);

// One accepted connection, read without ever blocking: a peer that connects and sends nothing
// must not stall the program. The peer waits until `Answer` is called (or the connection goes).
class InstanceConnection {
public:
    explicit InstanceConnection(int fd) : fd_(fd) {}
    ~InstanceConnection();
    InstanceConnection(const InstanceConnection&) = delete;
    InstanceConnection& operator=(const InstanceConnection&) = delete;

    enum class Progress {
        NeedMore,  // the command line is not complete yet: read again when readable
        Complete,  // Command() holds the command
        Broken,    // closed, malformed or too long: drop the connection
    };

    // The descriptor, readable when more of the command has arrived.
    int Descriptor() const { return fd_; }
    // Takes what has arrived so far, without waiting.
    Progress ReadAvailable();
    int Command() const { return command_; }
    void Answer(int result);

private:
    int fd_;
    std::string line_;
    int command_ = 0;
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

    // Takes one waiting connection without blocking; empty when there is none. Peers of another
    // user are dropped.
    std::unique_ptr<InstanceConnection> Accept();

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

// The ids of the instances that have a socket in `<runtimeDir>/veltaro/`: live ones, and stale
// ones that a killed instance left behind.
std::vector<int> InstanceSocketIds(const std::filesystem::path& runtimeDir);

// Sends `command` and waits for the answer, at most `timeout`.
SendOutcome SendInstanceCommand(const std::filesystem::path& socketPath, int command,
                                std::chrono::milliseconds timeout, int* answer = nullptr);

}  // namespace veltaro
