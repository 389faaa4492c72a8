#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_descriptor.h"
#include "platform/regular_file.h"

namespace veltaro {
namespace {

// 0 when `content` is in the temporary file with `mode` and on disk, else the failure's errno.
int FillTemporary(FileDescriptor& fd, std::string_view content, mode_t mode) {
    if (::fchmod(fd.Get(), mode) != 0 || !WriteAll(fd.Get(), content) || ::fsync(fd.Get()) != 0) {
        return errno;
    }
    // Close can be the first to see an I/O error of the written file.
    return fd.Close() ? 0 : errno;
}

// Makes the rename itself durable; best effort, since the new file is complete either way.
void SyncFolder(const std::filesystem::path& folder) {
    const std::string name = folder.empty() ? "." : folder.string();
    const FileDescriptor fd(::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen()) {
        ::fsync(fd.Get());
    }
}

}  // namespace

FileResult ReplaceFileAtomically(const std::filesystem::path& file, std::string_view content,
                                 std::optional<mode_t> mode) {
    // Without a name the temporary file would land in some other folder.
    if (!file.has_filename()) {
        return {SystemFailure(EINVAL)};
    }
    // Looked at without following a link, which the rename would replace instead of the file
    // it leads to.
    const FileAtPath existing = LookAtFile(file);
    const bool isNew = existing.failure && existing.failure->fault == FileFault::kMissing;
    if (existing.failure && !isNew) {
        return {existing.failure};
    }
    std::string temporary = file.string() + ".tmp-XXXXXX";
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.IsOpen()) {
        return {SystemFailure(errno)};
    }
    int error = FillTemporary(fd, content, mode.value_or(isNew ? 0600 : existing.permissions));
    if (error == 0 && ::rename(temporary.c_str(), file.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return {SystemFailure(error)};
    }
    SyncFolder(file.parent_path());
    return {};
}

}  // namespace veltaro
