#pragma once

#include <filesystem>

namespace veltaro {

// The resident program's data folder: the folder of the running program when it is writable
// (both programs are installed side by side), else $XDG_DATA_HOME/veltaro/.
std::filesystem::path DefaultDataFolder();

}  // namespace veltaro
