// Reading data files on a real file system: whole regular files only, and the reason otherwise.
#include "platform/regular_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "test_support.h"

namespace veltaro {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

class RegularFileTest : public ::testing::Test {
protected:
    std::filesystem::path Regular(std::string_view bytes) const {
        return WriteText(temp.Path() / "data", bytes);
    }

    TempFolder temp;
};

TEST_F(RegularFileTest, ReadsTheWholeFileUpToTheCap) {
    const auto file = Regular("12345");
    const RegularFileContent atCap = ReadRegularFile(file, 5);
    EXPECT_EQ(atCap.failure, std::nullopt);
    EXPECT_EQ(atCap.bytes, "12345");

    const RegularFileContent overCap = ReadRegularFile(file, 4);
    EXPECT_EQ(overCap.failure, (FileFailure{FileFault::kOverSizeCap, 0}));
    EXPECT_EQ(overCap.failure->Reason(), "over the size cap");
    EXPECT_EQ(overCap.bytes, "");
}

TEST_F(RegularFileTest, NamesWhyAFileIsNotRead) {
    const auto target = Regular("<Quorvane/>");
    const auto link = temp.Path() / "link";
    std::filesystem::create_symlink(target, link);
    const auto fifo = temp.Path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::filesystem::path path;
        FileFault fault;
        std::string reason;
    } cases[] = {
        {temp.Path() / "missing", FileFault::kMissing, "no such file or directory"},
        {temp.Path(), FileFault::kNotRegularFile, "is a directory"},
        // And the open does not wait for a writer.
        {fifo, FileFault::kNotRegularFile, "not a regular file"},
        {"/dev/zero", FileFault::kNotRegularFile, "not a regular file"},
        // A link planted at a data file's path could lead anywhere: it is not followed.
        {link, FileFault::kSymbolicLink, "is a symbolic link, which is not followed"},
        {temp.Path() / "data" / "below a file", FileFault::kSystemError, "not a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const RegularFileContent content = ReadRegularFile(c.path, 100);
        ASSERT_TRUE(content.failure);
        EXPECT_EQ(content.failure->fault, c.fault);
        EXPECT_EQ(content.failure->Reason(), c.reason);
    }
}

TEST_F(RegularFileTest, AFileWithoutReadPermissionGivesTheSystemsReason) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    const auto file = Regular("secret");
    std::filesystem::permissions(file, std::filesystem::perms::none);
    const RegularFileContent content = ReadRegularFile(file, 100);
    ASSERT_TRUE(content.failure);
    EXPECT_EQ(content.failure->fault, FileFault::kSystemError);
    EXPECT_EQ(content.failure->Reason(), "permission denied");
}

TEST_F(RegularFileTest, OpenGivesTheSizeAndADescriptorChildProcessesDontInherit) {
    const OpenedRegularFile opened = OpenRegularFile(Regular("123"));
    ASSERT_EQ(opened.failure, std::nullopt);
    EXPECT_EQ(opened.size, 3u);
    EXPECT_NE(::fcntl(opened.fd.Get(), F_GETFD) & FD_CLOEXEC, 0);

    const OpenedRegularFile folder = OpenRegularFile(temp.Path());
    EXPECT_FALSE(folder.fd.IsOpen());
    EXPECT_EQ(folder.failure->Reason(), "is a directory");
}

TEST_F(RegularFileTest, WriteAllSaysWhyItStopped) {
    const auto file = temp.Path() / "written";
    FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
    ASSERT_TRUE(WriteAll(fd.Get(), "all of it"));
    EXPECT_EQ(ReadText(file), "all of it");

    const FileDescriptor full(::open("/dev/full", O_WRONLY | O_CLOEXEC));
    ASSERT_TRUE(full.IsOpen());
    EXPECT_FALSE(WriteAll(full.Get(), "no room"));
    EXPECT_EQ(errno, ENOSPC);
}

}  // namespace
}  // namespace veltaro
