#pragma once

#include <cstdint>
#include <filesystem>

namespace veltaro {

// Moves a damaged `file` out of the way before it is replaced, so that what it held is never
// lost: it becomes `file`.damaged-YYYYMMDD-HHMMSS (local time of `nowSeconds`), with -2, -3, ...
// added when that name is taken. The caller keeps other writers out meanwhile. True when moved.
bool KeepDamagedFileAside(const std::filesystem::path& file, std::int64_t nowSeconds);

}  // namespace veltaro
