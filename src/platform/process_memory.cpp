#include "platform/process_memory.h"

#include <fstream>
#include <string>

namespace veltaro {

std::uint64_t ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmRSS:")) {
            return std::stoull(line.substr(6)) * 1024;
        }
    }
    return 0;
}

}  // namespace veltaro
