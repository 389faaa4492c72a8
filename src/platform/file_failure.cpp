#include "platform/file_failure.h"

#include <cerrno>
#include <cstring>

namespace veltaro {
namespace {

// strerror's text starts in upper case ("Permission denied"); the reason follows a colon.
std::string LowerCaseFirst(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') {
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    }
    return text;
}

}  // namespace

std::string FileFailure::Reason() const {
    switch (fault) {
        case FileFault::kSymbolicLink:
            return "is a symbolic link, which is not followed";
        case FileFault::kNotRegularFile:
            return systemError == EISDIR ? "is a directory" : "not a regular file";
        case FileFault::kOverSizeCap:
            return "over the size cap";
        case FileFault::kMissing:
        case FileFault::kSystemError:
            break;
    }
    return LowerCaseFirst(std::strerror(systemError));
}

FileFailure SystemFailure(int systemError) {
    switch (systemError) {
        case ENOENT:
            return {FileFault::kMissing, ENOENT};
        case ELOOP:
            // O_NOFOLLOW's answer for a link at the path itself.
            return {FileFault::kSymbolicLink, ELOOP};
        case EISDIR:
            return {FileFault::kNotRegularFile, EISDIR};
        default:
            return {FileFault::kSystemError, systemError};
    }
}

}  // namespace veltaro
