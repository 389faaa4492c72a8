#pragma once

#include <cstdint>

namespace veltaro {

// This process's resident memory (VmRSS) in bytes; 0 when /proc can't tell.
std::uint64_t ResidentBytes();

}  // namespace veltaro
