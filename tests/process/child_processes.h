#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace veltaro::testing {

// A child process of the test that maps `mapped` and/or keeps `opened` open, then sleeps until it
// is killed or the object goes. The parent returns once the child has done both.
class HoldingChild {
public:
    explicit HoldingChild(const std::string& mapped = {}, const std::string& opened = {}) {
        int ready[2];
        if (::pipe(ready) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            if (!mapped.empty()) {
                const int fd = ::open(mapped.c_str(), O_RDONLY);
                ::mmap(nullptr, 4096, PROT_READ, MAP_PRIVATE, fd, 0);
                ::close(fd);
            }
            if (!opened.empty()) {
                ::open(opened.c_str(), O_RDONLY);
            }
            (void)::write(ready[1], "x", 1);
            for (;;) {
                ::pause();
            }
        }
        ::close(ready[1]);
        char byte;
        (void)::read(ready[0], &byte, 1);
        ::close(ready[0]);
    }
    ~HoldingChild() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            Reap();
        }
    }
    HoldingChild(const HoldingChild&) = delete;
    HoldingChild& operator=(const HoldingChild&) = delete;

    int Pid() const { return pid_; }
    // Waits for the child to end; true when it was killed.
    bool Reap() {
        int status = 0;
        const bool reaped = ::waitpid(pid_, &status, 0) == pid_;
        const bool killed = reaped && WIFSIGNALED(status);
        if (reaped) {
            pid_ = -1;
        }
        return killed;
    }

private:
    int pid_ = -1;
};

}  // namespace veltaro::testing
