#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>

#include "platform/problem_report.h"

namespace veltaro {

FileLock::FileLock(const std::filesystem::path& lockFile) {
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd_ < 0) {
        if (errno == ELOOP) {
            // A link planted there must not make the lock create or open some other file.
            ReportProblemOnce("link:" + lockFile.string(),
                              lockFile.string() + " is a symbolic link, left alone");
        }
        return;
    }
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // closing releases the lock
    }
}

}  // namespace veltaro
