#pragma once

#include <filesystem>

namespace veltaro {

// An exclusive advisory lock (flock) on a file, held for the object's life. Two starts of the
// program at the same moment serialise on it.
class FileLock {
public:
    // Blocks until the lock is held. `Held()` is false when the lock file can't be opened.
    explicit FileLock(const std::filesystem::path& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace veltaro
