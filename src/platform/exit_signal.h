#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace veltaro {

// The program-wide stop flag of the worker threads. Threads wait on it instead of polling in short
// sleeps, so setting it wakes every waiting thread at once and idle threads cost no wake-ups.
class ExitSignal {
public:
    void Set() {
        {
            std::lock_guard lock(mutex_);
            set_.store(true);
        }
        changed_.notify_all();
    }

    bool IsSet() const { return set_.load(); }

    // Waits up to `timeout`; returns true when the signal is set (at once if it already was).
    template <class Rep, class Period>
    bool WaitFor(std::chrono::duration<Rep, Period> timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [this] { return set_.load(); });
    }

private:
    std::atomic<bool> set_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
};

}  // namespace veltaro
