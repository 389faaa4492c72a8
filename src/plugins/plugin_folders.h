#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace veltaro {

// Where plug-ins are looked for, and nowhere else: `Plugin/` beside the program when its folder
// is writable (a build or a portable copy); else the installed plug-in folder
// (<prefix>/lib/veltaro/plugins, beside the program's bin/) and the user's
// $XDG_DATA_HOME/veltaro/Plugin/.
std::vector<std::filesystem::path> PluginFolders(const std::string& programDirectory,
                                                 bool programFolderWritable,
                                                 const std::filesystem::path& dataHome);

// The plug-in libraries (*.so) of the folders, each folder's in name order.
std::vector<std::filesystem::path> ListPluginFiles(
    const std::vector<std::filesystem::path>& folders);

}  // namespace veltaro
