#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace veltaro {

// A free name beside `file` for something kept aside: `file`.<kind>-YYYYMMDD-HHMMSS (local time of
// `nowSeconds`), with -2, -3, ... added when that name is taken; empty when none is free.
std::optional<std::filesystem::path> FreeAsideName(const std::filesystem::path& file,
                                                   std::string_view kind, std::int64_t nowSeconds);

// Moves a damaged `file` out of the way before it is replaced, so that what it held is never
// lost: it becomes `file`.damaged-YYYYMMDD-HHMMSS. The caller keeps other writers out meanwhile.
// True when moved.
bool KeepDamagedFileAside(const std::filesystem::path& file, std::int64_t nowSeconds);

}  // namespace veltaro
