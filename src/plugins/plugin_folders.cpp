#include "plugins/plugin_folders.h"

#include <algorithm>

namespace veltaro {

std::vector<std::filesystem::path> PluginFolders(const std::string& programDirectory,
                                                 bool programFolderWritable,
                                                 const std::filesystem::path& dataHome) {
    const std::filesystem::path program(programDirectory);
    if (programFolderWritable) {
        return {program / "Plugin"};
    }
    std::vector<std::filesystem::path> folders = {
        (program / ".." / "lib" / "veltaro" / "plugins").lexically_normal()};
    if (!dataHome.empty()) {
        folders.push_back(dataHome / "veltaro" / "Plugin");
    }
    return folders;
}

std::vector<std::filesystem::path> ListPluginFiles(
    const std::vector<std::filesystem::path>& folders) {
    std::vector<std::filesystem::path> files;
    for (const std::filesystem::path& folder : folders) {
        std::vector<std::filesystem::path> found;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            if (entry.path().extension() == ".so") {
                found.push_back(entry.path());
            }
        }
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

}  // namespace veltaro
