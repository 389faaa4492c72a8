#pragma once

#include <cstdint>
#include <string_view>

namespace veltaro {

// A 32-bit tag of one boot of the computer, never 0. Records carry it so that a run can be told
// from the next one even when it was shorter than the next boot's uptime.
std::uint32_t BootTagOf(std::string_view bootId);

// The tag of the current boot, from /proc/sys/kernel/random/boot_id; 0 when it can't be read.
std::uint32_t CurrentBootTag();

}  // namespace veltaro
