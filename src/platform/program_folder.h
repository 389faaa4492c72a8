#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace veltaro {

// The folder part of a program file's path, with its trailing '/': the path is cut just after the
// last '/' found scanning from its last character down to its second one; "/" when there is none.
std::string DirectoryOfProgramPath(std::string_view programPath);

// The full path of the running program (/proc/self/exe); empty when it can't be read.
std::string RunningProgramPath();

// `ProgramDirectory`: the folder of the running program, with its trailing '/'.
std::string ProgramDirectory();

// Where an installed program keeps the data files it ships: <prefix>/share/veltaro beside the
// program's <prefix>/bin. Its presence is what makes a program folder an installed one.
std::filesystem::path ShippedDataFolder(const std::filesystem::path& programDirectory);

// Where the data files live: `programDirectory` when the user may create files in it and it is no
// installed program's folder (root may write to /usr/bin, but data has no place there), else
// `dataHome`/veltaro/ (created). When that folder can't be made
// either, `programDirectory` stays the answer, so reads of the files beside the program still work.
std::string DataDirectory(const std::string& programDirectory,
                          const std::filesystem::path& dataHome);

// The folder DataDirectory answers, found without creating anything, for a program that only
// reads the data files. A data folder that isn't there yet but could be made is the answer all
// the same: its files read as missing, as they would for the resident program's first start.
std::string DataDirectoryForReading(const std::string& programDirectory,
                                    const std::filesystem::path& dataHome);

}  // namespace veltaro
