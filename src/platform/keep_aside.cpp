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

std::optional<std::filesystem::path> FreeAsideName(const std::filesystem::path& file,
                                                   std::string_view kind, std::int64_t nowSeconds) {
    const std::tm local = LocalTime(nowSeconds);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string aside = file.string() + "." + std::string(kind) + "-" + stamp;
    for (int copy = 1; copy < 100; ++copy) {
        const std::string candidate = copy == 1 ? aside : aside + "-" + std::to_string(copy);
        if (!Exists(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

bool KeepDamagedFileAside(const std::filesystem::path& file, std::int64_t nowSeconds) {
    const std::optional<std::filesystem::path> aside = FreeAsideName(file, "damaged", nowSeconds);
    return aside && std::rename(file.c_str(), aside->c_str()) == 0;
}

}  // namespace veltaro
