// Loading the program's data files at start-up: nothing the user wrote is ever lost, and a file
// that can't be read is never taken for a damaged one.
#include "xml/data_document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <sstream>

#include "temp_folder.h"

namespace veltaro {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

constexpr std::string_view kDefault = "<Quorvane><RemindList></RemindList></Quorvane>";
const DataDocumentContent kFresh = {kDefault, {}};
constexpr std::int64_t kNow = 1704135845;  // 2024-01-02 03:04:05 in Asia/Shanghai
constexpr auto kMend = DataDocumentUse::kMend;
constexpr auto kReadOnly = DataDocumentUse::kReadOnly;

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class DataDocument : public ::testing::Test {
protected:
    DataDocumentLoadResult Load(DataDocumentUse use = kMend,
                                const DataDocumentContent& fresh = kFresh) {
        return LoadDataDocument(root, file, fresh, use, kNow);
    }

    TempFolder folder;
    std::filesystem::path file = folder.Path() / "RemindInfo.xml";
    CTessvarXmlParse root;
};

TEST_F(DataDocument, ExistingFileIsLoadedAndLeftAlone) {
    WriteText(file, "<Quorvane><Plan/></Quorvane>");
    for (const DataDocumentUse use : {kMend, kReadOnly}) {
        EXPECT_EQ(Load(use).outcome, DataDocumentLoad::kLoaded);
        EXPECT_EQ(root.GetChild("Plan").GetName(), "Plan");
        EXPECT_EQ(ReadText(file), "<Quorvane><Plan/></Quorvane>");
        EXPECT_EQ(DataDocumentLoadReport(file, Load(use)), "");
    }
}

// The editor allows 500 date plans with messages of any length: a well-formed file of several
// megabytes is the user's plans, not damage.
TEST_F(DataDocument, ALargeWellFormedFileIsLoaded) {
    std::string plans;
    const std::string message(600 * 1024, 'm');
    for (int plan = 0; plan < 5; ++plan) {
        plans += "<Item Hour=\"8\">" + message + "</Item>";
    }
    const std::string text =
        "<Quorvane><RemindList><DateType>" + plans + "</DateType></RemindList></Quorvane>";
    WriteText(file, text);
    EXPECT_EQ(Load().outcome, DataDocumentLoad::kLoaded);
    EXPECT_EQ(root.GetChild("RemindList").GetChild("DateType").GetChildCount(), 5);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"RemindInfo.xml"});
}

TEST_F(DataDocument, MissingFileGetsTheDefaultSavedAtOncePrivateWhateverTheUmask) {
    const mode_t previousMask = ::umask(0);
    const DataDocumentLoadResult result = Load();
    ::umask(previousMask);
    EXPECT_EQ(result.outcome, DataDocumentLoad::kCreated);
    EXPECT_EQ(root.GetChild("RemindList").GetName(), "RemindList");
    CTessvarXmlParse reread;
    ASSERT_TRUE(reread.LoadFile(file.string()));
    EXPECT_EQ(reread.GetChildCount(), 1);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST_F(DataDocument, AShippedFileSeedsANewFileAsItIsUnlessItIsUnusable) {
    const std::string festivals = "<Quorvane><Holiday><Shipped/></Holiday></Quorvane>\n";
    const auto shipped = WriteText(folder.Path() / "shipped.xml", festivals);
    ASSERT_EQ(Load(kMend, {kDefault, shipped}).outcome, DataDocumentLoad::kCreated);
    EXPECT_EQ(ReadText(file), festivals);
    EXPECT_EQ(root.GetChild("Holiday").GetChildCount(), 1);

    // The companion reads the same first content, and writes nothing.
    std::filesystem::remove(file);
    ASSERT_EQ(Load(kReadOnly, {kDefault, shipped}).outcome, DataDocumentLoad::kMissing);
    EXPECT_EQ(root.GetChild("Holiday").GetChildCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(file));

    for (const std::string unusable : {"<Quorvane><Holiday>", ""}) {
        WriteText(shipped, unusable);
        std::filesystem::remove(file);
        ASSERT_EQ(Load(kMend, {kDefault, shipped}).outcome, DataDocumentLoad::kCreated);
        EXPECT_EQ(ReadText(file), kDefault);
        EXPECT_EQ(root.GetChild("RemindList").GetName(), "RemindList");
    }
}

TEST_F(DataDocument, DamagedFileIsKeptAsideBeforeTheDefaultReplacesIt) {
    file = folder.Path() / "Holiday.xml";
    for (const std::string damaged : {"<Quorvane><Item>", "<Quorvane><Item/></Quorvane>x"}) {
        WriteText(file, damaged);
        const DataDocumentLoadResult result = Load();
        EXPECT_EQ(result.outcome, DataDocumentLoad::kReplacedDamaged);
        EXPECT_EQ(root.GetChild("RemindList").GetName(), "RemindList");
        EXPECT_EQ(ReadText(result.keptAside), damaged);
    }
    // The second damaged copy of the same second does not replace the first.
    const std::string aside = file.string() + ".damaged-20240102-030405";
    EXPECT_EQ(ReadText(aside), "<Quorvane><Item>");
    EXPECT_EQ(ReadText(aside + "-2"), "<Quorvane><Item/></Quorvane>x");
    CTessvarXmlParse reread;
    EXPECT_TRUE(reread.LoadFile(file.string()));
    EXPECT_EQ(DataDocumentLoadReport(file, Load()), "");
    WriteText(file, "<Quorvane>");
    EXPECT_EQ(DataDocumentLoadReport(file, Load()),
              file.string() + " is damaged (not a well-formed XML document); kept aside as " +
                  aside + "-3 and replaced by the defaults");
}

TEST_F(DataDocument, TheCompanionLeavesADamagedFileAsItIs) {
    WriteText(file, "<Quorvane><Item>");
    EXPECT_EQ(Load(kReadOnly).outcome, DataDocumentLoad::kDamaged);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"RemindInfo.xml"});
    EXPECT_EQ(ReadText(file), "<Quorvane><Item>");
}

// A file that can't be read may still hold every plan: it is left where it is, untouched, and
// the program runs on the default in memory.
TEST_F(DataDocument, UnreadableFileIsLeftAsItIsAndReportedWithItsReason) {
    const auto outside = WriteText(folder.Path() / "outside.xml", "<Quorvane><Mine/></Quorvane>");
    const struct {
        std::string_view what;
        std::function<void()> plant;
        std::string reason;
    } cases[] = {
        {"a folder", [&] { std::filesystem::create_directory(file); }, "is a directory"},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); }, "not a regular file"},
        {"a symbolic link", [&] { std::filesystem::create_symlink(outside, file); },
         "is a symbolic link, which is not followed"},
        {"over the size cap",
         [&] {
             WriteText(file, "<Quorvane>" + std::string(kMaxXmlDocumentBytes, ' ') + "</Quorvane>");
         },
         "over the size cap"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(file);
        c.plant();
        const auto before = std::filesystem::symlink_status(file).type();
        const std::uintmax_t size =
            std::filesystem::is_regular_file(file) ? std::filesystem::file_size(file) : 0;
        for (const DataDocumentUse use : {kMend, kReadOnly}) {
            const DataDocumentLoadResult result = Load(use);
            EXPECT_EQ(result.outcome, DataDocumentLoad::kUnreadable);
            ASSERT_TRUE(result.failure);
            EXPECT_EQ(result.failure->Reason(), c.reason);
            EXPECT_EQ(root.GetChild("RemindList").GetName(), "RemindList");
        }
        EXPECT_EQ(std::filesystem::symlink_status(file).type(), before);
        if (size != 0) {
            EXPECT_EQ(std::filesystem::file_size(file), size);
        }
        EXPECT_EQ(FolderEntries(folder.Path()),
                  (std::vector<std::string>{"RemindInfo.xml", "outside.xml"}));
        std::ostringstream err;
        ReportDataDocumentLoad(err, file, Load());
        EXPECT_EQ(err.str(), "Veltaro: cannot read " + file.string() + " (" + c.reason +
                                 "); running on the defaults, the file is left as it is\n");
        std::filesystem::remove(file);
    }
    EXPECT_EQ(ReadText(outside), "<Quorvane><Mine/></Quorvane>");
}

TEST_F(DataDocument, AFileWithoutReadPermissionIsNotDamaged) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    WriteText(file, "<Quorvane><Plan/></Quorvane>");
    std::filesystem::permissions(file, std::filesystem::perms::owner_write);
    const DataDocumentLoadResult result = Load();
    EXPECT_EQ(result.outcome, DataDocumentLoad::kUnreadable);
    EXPECT_EQ(result.failure->Reason(), "permission denied");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"RemindInfo.xml"});
    std::filesystem::permissions(file, std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(ReadText(file), "<Quorvane><Plan/></Quorvane>");
}

TEST_F(DataDocument, ADamagedFileThatCantBeMovedIsLeftAndNothingSavedOverIt) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root renames in any folder";
    }
    WriteText(file, "<Quorvane><Item>");
    std::filesystem::permissions(
        folder.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const DataDocumentLoadResult result = Load();
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(result.outcome, DataDocumentLoad::kDamagedLeft);
    EXPECT_EQ(result.failure->Reason(), "permission denied");
    EXPECT_EQ(ReadText(file), "<Quorvane><Item>");
    EXPECT_EQ(root.GetChild("RemindList").GetName(), "RemindList");
}

TEST_F(DataDocument, UnwritableFolderKeepsTheDefaultInMemoryOnly) {
    file = folder.Path() / "missing-folder" / "RemindInfo.xml";
    const DataDocumentLoadResult result = Load();
    EXPECT_EQ(result.outcome, DataDocumentLoad::kNotSaved);
    EXPECT_EQ(root.GetChild("RemindList").GetName(), "RemindList");
    EXPECT_EQ(
        DataDocumentLoadReport(file, result),
        "cannot save " + file.string() + " (no such file or directory); running on the defaults");
}

}  // namespace
}  // namespace veltaro
