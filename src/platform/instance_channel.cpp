#include "platform/instance_channel.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>

namespace veltaro {
namespace {

bool FillAddress(const std::filesystem::path& path, sockaddr_un& address) {
    const std::string& text = path.native();
    if (text.size() >= sizeof(address.sun_path)) {
        return false;
    }
    std::memset(&address, 0, sizeof(address));
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

bool SameUser(int connection) {
    ucred peer{};
    socklen_t size = sizeof(peer);
    return ::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::getuid();
}

constexpr std::size_t kLongestLine = 32;

// The number of a complete line "<decimal>\n"; empty when malformed.
std::optional<int> NumberOfLine(const std::string& line) {
    int value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || end == line.data() || *end != '\n') {
        return std::nullopt;
    }
    return value;
}

// Reads one line holding a decimal number, waiting at most `timeout` for it.
std::optional<int> ReadNumberLine(int fd, std::chrono::milliseconds timeout) {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (line.find('\n') == std::string::npos && line.size() < kLongestLine) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd watch{fd, POLLIN, 0};
        const int ready = ::poll(&watch, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return std::nullopt;
        }
        char buffer[kLongestLine];
        const ssize_t got = ::recv(fd, buffer, sizeof(buffer), 0);
        if (got <= 0) {
            return std::nullopt;
        }
        line.append(buffer, static_cast<std::size_t>(got));
    }
    return NumberOfLine(line);
}

bool SendNumberLine(int fd, int value) {
    const std::string line = std::to_string(value) + "\n";
    return ::send(fd, line.data(), line.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(line.size());
}

}  // namespace

std::filesystem::path InstanceSocketPath(const std::filesystem::path& runtimeDir, int pid) {
    return runtimeDir / "veltaro" / (std::to_string(pid) + ".sock");
}

InstanceConnection::~InstanceConnection() {
    ::close(fd_);
}

InstanceConnection::Progress InstanceConnection::ReadAvailable() {
    for (;;) {
        char buffer[kLongestLine];
        const ssize_t got = ::recv(fd_, buffer, sizeof(buffer), MSG_DONTWAIT);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return Progress::NeedMore;
        }
        if (got <= 0) {
            return Progress::Broken;
        }
        line_.append(buffer, static_cast<std::size_t>(got));
        if (line_.find('\n') != std::string::npos) {
            const std::optional<int> command = NumberOfLine(line_);
            command_ = command.value_or(0);
            return command ? Progress::Complete : Progress::Broken;
        }
        if (line_.size() >= kLongestLine) {
            return Progress::Broken;
        }
    }
}

void InstanceConnection::Answer(int result) {
    SendNumberLine(fd_, result);
}

std::unique_ptr<InstanceListener> InstanceListener::Listen(
    const std::filesystem::path& socketPath) {
    const std::filesystem::path folder = socketPath.parent_path();
    ::mkdir(folder.c_str(), 0700);
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid()) {
        return nullptr;
    }
    sockaddr_un address{};
    if (!FillAddress(socketPath, address)) {
        return nullptr;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return nullptr;
    }
    ::unlink(socketPath.c_str());  // a file left by a crashed process of the same id
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(fd, 8) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<InstanceListener>(new InstanceListener(fd, socketPath));
}

InstanceListener::~InstanceListener() {
    ::close(fd_);
    ::unlink(path_.c_str());
}

std::unique_ptr<InstanceConnection> InstanceListener::Accept() {
    const int connection = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (connection < 0) {
        return nullptr;
    }
    if (!SameUser(connection)) {
        ::close(connection);
        return nullptr;
    }
    return std::make_unique<InstanceConnection>(connection);
}

std::vector<int> InstanceSocketIds(const std::filesystem::path& runtimeDir) {
    std::vector<int> ids;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(
             InstanceSocketPath(runtimeDir, 0).parent_path(), error)) {
        const std::filesystem::path& path = entry.path();
        const std::string stem = path.stem().string();
        int id = 0;
        const auto [end, parsed] = std::from_chars(stem.data(), stem.data() + stem.size(), id);
        if (path.extension() == ".sock" && parsed == std::errc() &&
            end == stem.data() + stem.size() && id > 0) {
            ids.push_back(id);
        }
    }
    return ids;
}

SendOutcome SendInstanceCommand(const std::filesystem::path& socketPath, int command,
                                std::chrono::milliseconds timeout, int* answer) {
    sockaddr_un address{};
    if (!FillAddress(socketPath, address)) {
        return SendOutcome::NobodyListening;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return SendOutcome::NobodyListening;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return SendOutcome::NobodyListening;
    }
    SendOutcome outcome = SendOutcome::NoAnswer;
    if (SendNumberLine(fd, command)) {
        if (const std::optional<int> result = ReadNumberLine(fd, timeout)) {
            outcome = SendOutcome::Answered;
            if (answer != nullptr) {
                *answer = *result;
            }
        }
    }
    ::close(fd);
    return outcome;
}

}  // namespace veltaro
