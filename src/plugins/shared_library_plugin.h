#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "plugins/plugin.h"

namespace veltaro {

// Whether a plug-in file may be loaded at all: a regular file, owned by the user or root, and
// writable by nobody else (anyone who can change it could run code in the program). Empty when
// it may; else why not.
std::string RefusalOfPluginFile(const std::filesystem::path& file);

// Calls the library's optional registration function, once per start of the program.
void RegisterPluginLibrary(const std::filesystem::path& file);

// The plug-in of a shared library (RTLD_NOW | RTLD_LOCAL). Null for a library without the entry
// point, of another contract version or of another category: those are skipped without a word.
// A plug-in whose call throws is disabled for the rest of the run.
std::unique_ptr<Plugin> LoadPluginLibrary(const std::filesystem::path& file);

}  // namespace veltaro
