#include "process/file_facts.h"

#include <pwd.h>
#include <sys/stat.h>

#include <cstdio>
#include <vector>

#include "platform/clock.h"
#include "process/process_list.h"

namespace veltaro {
namespace {

char KindLetter(unsigned mode) {
    switch (mode & S_IFMT) {
        case S_IFDIR:
            return 'd';
        case S_IFLNK:
            return 'l';
        case S_IFCHR:
            return 'c';
        case S_IFBLK:
            return 'b';
        case S_IFIFO:
            return 'p';
        case S_IFSOCK:
            return 's';
        default:
            return '-';
    }
}

std::string OwnerName(uid_t uid) {
    std::vector<char> buffer(4096);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
        return found->pw_name;
    }
    return std::to_string(uid);
}

}  // namespace

std::string PermissionText(unsigned mode) {
    std::string text(1, KindLetter(mode));
    const char letters[] = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit) {
        text += (mode & (0400u >> bit)) != 0 ? letters[bit] : '-';
    }
    char octal[16];
    std::snprintf(octal, sizeof octal, " (%04o)", mode & 07777u);
    return text + octal;
}

std::optional<FileFacts> ReadFileFacts(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileFacts{static_cast<std::uint64_t>(info.st_size), OwnerName(info.st_uid),
                     PermissionText(info.st_mode), CreateTimeText(LocalTime(info.st_mtime))};
}

}  // namespace veltaro
