#include "platform/keep_aside.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <functional>
#include <string>

#include "platform/clock.h"
#include "platform/file_descriptor.h"
#include "platform/regular_file.h"

namespace veltaro {
namespace {

// The most copies of one second tried before giving up: a loop over names must end.
constexpr int kMaxCopiesPerSecond = 99;

std::string AsideStem(const std::filesystem::path& file, std::string_view label,
                      std::int64_t nowSeconds) {
    const std::tm local = LocalTime(nowSeconds);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return file.string() + "." + std::string(label) + "-" + stamp;
}

// Tries `place` on each free name of the keep-aside rule in turn. `place` gives 0, or the errno
// of its failure: EEXIST moves on to the next name, anything else ends the attempt.
KeptAside PlaceAside(const std::string& stem, const std::function<int(const std::string&)>& place) {
    for (int copy = 1; copy <= kMaxCopiesPerSecond; ++copy) {
        const std::string candidate = copy == 1 ? stem : stem + "-" + std::to_string(copy);
        const int error = place(candidate);
        if (error == 0) {
            return {candidate, std::nullopt};
        }
        if (error != EEXIST) {
            return {{}, SystemFailure(error)};
        }
    }
    return {{}, SystemFailure(EEXIST)};
}

}  // namespace

KeptAside KeepDamagedFileAside(const std::filesystem::path& file, std::int64_t nowSeconds) {
    if (const auto failure = LookAtFile(file).failure) {
        return {{}, failure};
    }
    return PlaceAside(AsideStem(file, "damaged", nowSeconds), [&file](const std::string& aside) {
        // RENAME_NOREPLACE: a name taken since the last look is never overwritten.
        return ::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0
                   ? 0
                   : errno;
    });
}

KeptAside KeepBytesAside(const std::filesystem::path& file, std::string_view label,
                         std::string_view bytes, std::int64_t nowSeconds) {
    return PlaceAside(AsideStem(file, label, nowSeconds), [bytes](const std::string& aside) {
        FileDescriptor fd(
            ::open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.IsOpen()) {
            return errno;
        }
        if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 || !fd.Close()) {
            const int error = errno;
            ::unlink(aside.c_str());
            return error == EEXIST ? EIO : error;
        }
        return 0;
    });
}

}  // namespace veltaro
