// Loading the program's data files at start-up: nothing the user wrote is ever lost.
#include "xml/data_document.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace veltaro {
namespace {

using testing::ReadText;
using testing::TempFolder;

constexpr std::string_view kDefault = "<Quorvane><RemindList></RemindList></Quorvane>";
constexpr std::int64_t kNow = 1704135845;  // 2024-01-02 03:04:05 in Asia/Shanghai

TEST(DataDocument, ExistingFileIsLoadedAndLeftAlone) {
    TempFolder folder;
    const std::filesystem::path file = folder.Path() / "RemindInfo.xml";
    std::ofstream(file) << "<Quorvane><Plan/></Quorvane>";
    CTessvarXmlParse root;
    EXPECT_EQ(LoadDataDocument(root, file, kDefault, kNow), DataDocumentLoad::kLoaded);
    EXPECT_EQ(root.GetChild("Plan").GetName(), "Plan");
    EXPECT_EQ(ReadText(file.string()), "<Quorvane><Plan/></Quorvane>");
}

TEST(DataDocument, MissingFileGetsTheDefaultSavedAtOnce) {
    TempFolder folder;
    const std::filesystem::path file = folder.Path() / "RemindInfo.xml";
    CTessvarXmlParse root;
    EXPECT_EQ(LoadDataDocument(root, file, kDefault, kNow), DataDocumentLoad::kCreated);
    EXPECT_EQ(root.GetChild("RemindList").GetName(), "RemindList");
    CTessvarXmlParse reread;
    ASSERT_TRUE(reread.LoadFile(file.string()));
    EXPECT_EQ(reread.GetChildCount(), 1);
}

TEST(DataDocument, DamagedFileIsKeptAsideBeforeTheDefaultReplacesIt) {
    TempFolder folder;
    const std::filesystem::path file = folder.Path() / "Holiday.xml";
    for (const std::string damaged : {"<Quorvane><Item>", "<Quorvane><Item/></Quorvane>x"}) {
        std::ofstream(file, std::ios::trunc) << damaged;
        CTessvarXmlParse root;
        EXPECT_EQ(LoadDataDocument(root, file, kDefault, kNow), DataDocumentLoad::kReplacedDamaged);
        EXPECT_EQ(root.GetChild("RemindList").GetName(), "RemindList");
    }
    // The second damaged copy of the same second does not replace the first.
    EXPECT_EQ(ReadText(folder.File("Holiday.xml.damaged-20240102-030405")), "<Quorvane><Item>");
    EXPECT_EQ(ReadText(folder.File("Holiday.xml.damaged-20240102-030405-2")),
              "<Quorvane><Item/></Quorvane>x");
    CTessvarXmlParse reread;
    EXPECT_TRUE(reread.LoadFile(file.string()));
}

TEST(DataDocument, UnwritableFolderKeepsTheDefaultInMemoryOnly) {
    TempFolder folder;
    const std::filesystem::path file = folder.Path() / "missing-folder" / "RemindInfo.xml";
    CTessvarXmlParse root;
    EXPECT_EQ(LoadDataDocument(root, file, kDefault, kNow), DataDocumentLoad::kDefaultNotSaved);
    EXPECT_EQ(root.GetChild("RemindList").GetName(), "RemindList");
}

}  // namespace
}  // namespace veltaro
