#include "platform/boot_tag.h"

#include <fstream>
#include <string>

namespace veltaro {

std::uint32_t BootTagOf(std::string_view bootId) {
    // FNV-1a: stable across versions of the program, which a stored tag relies on.
    std::uint32_t hash = 2166136261u;
    for (const char c : bootId) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash == 0 ? 1u : hash;
}

std::uint32_t CurrentBootTag() {
    std::ifstream file("/proc/sys/kernel/random/boot_id");
    std::string id;
    if (!std::getline(file, id) || id.empty()) {
        return 0;
    }
    return BootTagOf(id);
}

}  // namespace veltaro
