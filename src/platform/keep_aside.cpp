#include "platform/keep_aside.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "platform/clock.h"

namespace veltaro {
namespace {

bool Exists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() !=
           std::filesystem::file_type::not_found;
}

}  // namespace

bool KeepDamagedFileAside(const std::filesystem::path& file, std::int64_t nowSeconds) {
    const std::tm local = LocalTime(nowSeconds);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string aside = file.string() + ".damaged-" + stamp;
    for (int copy = 1; copy < 100; ++copy) {
        const std::string candidate = copy == 1 ? aside : aside + "-" + std::to_string(copy);
        if (!Exists(candidate)) {
            return std::rename(file.c_str(), candidate.c_str()) == 0;
        }
    }
    return false;
}

}  // namespace veltaro
