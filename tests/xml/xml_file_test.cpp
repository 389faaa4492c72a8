#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "xml/tessvar_xml_parse.h"
#include "xml/xml_document.h"

namespace veltaro {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

std::string Fixture(std::string_view name) {
    return std::string(VELTARO_XML_TEST_DATA) + "/" + std::string(name);
}

constexpr std::string_view kUtf8Declaration = R"(<?xml version="1.0" encoding="UTF-8"?>)";

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(XmlFileRoundTrip, MessagesComeBackExactlyAsTextAndAsAttributes) {
    const std::string messages[] = {
        "中文提醒：该下班了",
        "第一行\n第二行",
        "第一行\r\n第二行\r\n第三行",
        "\r\n前后都有换行\n",
        "\n",
        "  两头空格  ",
        "tab\there",
        "<&>\"' ]]> &amp;",
        "𝄞 音乐 😀",
        "",
    };
    TempFolder folder;
    const std::string file = folder.File("RemindInfo.xml");
    CTessvarXmlParse root;
    ASSERT_TRUE(root.LoadXml("<Quorvane><RemindList/></Quorvane>"));
    CTessvarXmlParse& list = root.GetChild("RemindList");
    for (const std::string& message : messages) {
        CTessvarXmlParse& item = list.GetChildAt(list.AddChild("Item"));
        ASSERT_TRUE(item.SetText(message));
        ASSERT_TRUE(item.SetAttribute("Message", message));
    }
    ASSERT_TRUE(root.Save(file));

    CTessvarXmlParse reloaded;
    ASSERT_TRUE(reloaded.LoadFile(file));
    const CTessvarXmlParse& savedList = reloaded.GetChild("RemindList");
    ASSERT_EQ(savedList.GetChildCount(), static_cast<int>(std::size(messages)));
    int index = 0;
    for (const std::string& message : messages) {
        SCOPED_TRACE(::testing::PrintToString(message));
        const CTessvarXmlParse& item = savedList.GetChildAt(index++);
        EXPECT_EQ(item.GetText(), message);
        EXPECT_EQ(item.GetAttribute("Message"), message);
    }
}

TEST(XmlFileRoundTrip, SavedFileIsUtf8WithADeclarationAndLineBreaksInAttributesAsReferences) {
    TempFolder folder;
    const std::string file = folder.File("RemindInfo.xml");
    CTessvarXmlParse root;
    ASSERT_TRUE(root.LoadXml("<Quorvane><Item/></Quorvane>"));
    ASSERT_TRUE(root.GetChildAt(0).SetAttribute("Message", "上午\r\n下午"));
    ASSERT_TRUE(root.Save(file));

    const std::string saved = ReadText(file);
    EXPECT_EQ(saved.substr(0, kUtf8Declaration.size()), kUtf8Declaration);
    // A raw line break in an attribute would come back as a blank.
    EXPECT_NE(saved.find("Message=\"上午&#13;&#10;下午\""), std::string::npos) << saved;
}

TEST(XmlFileEncodings, DeclaredEncodingsAreReadAndSavedBackAsUtf8) {
    const char* files[] = {
        "gb2312.xml", "gbk.xml", "utf16le_bom.xml", "utf16be_bom.xml", "utf8_bom.xml",
    };
    TempFolder folder;
    const std::string copy = folder.File("Holiday.xml");
    for (const char* name : files) {
        SCOPED_TRACE(name);
        CTessvarXmlParse original;
        ASSERT_TRUE(original.LoadFile(Fixture(name)));
        ASSERT_TRUE(original.Save(copy));
        EXPECT_EQ(ReadText(copy).substr(0, kUtf8Declaration.size()), kUtf8Declaration);

        CTessvarXmlParse reloaded;
        ASSERT_TRUE(reloaded.LoadFile(copy));
        for (const CTessvarXmlParse* root : {&original, &reloaded}) {
            EXPECT_EQ(root->GetName(), "Quorvane");
            ASSERT_EQ(root->GetChildCount(), 1);
            const CTessvarXmlParse& holiday = root->GetChildAt(0);
            EXPECT_EQ(holiday.GetAttribute("Name"), "春节");
            EXPECT_EQ(holiday.GetAttributeInt("Date", -1), 101);
            EXPECT_EQ(holiday.GetText(), "农历新年\n第一天");
        }
    }
}

// Files a crafted or damaged data folder could hold. Each gives a failed load, quietly.
class HostileFiles : public ::testing::Test {
protected:
    std::string RandomBytes() const {
        std::mt19937 generator(20240101);
        std::string bytes(64 * 1024, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(generator() & 0xFF);
        }
        return WriteText(folder_.File("random.xml"), bytes);
    }

    // Well-formed but past the size cap: refused before it is parsed.
    std::string Oversized() const {
        std::string bytes = "<Quorvane>";
        while (bytes.size() < 50 * 1024 * 1024) {
            bytes += "<Item Hour=\"1\">x</Item>";
        }
        return WriteText(folder_.File("big.xml"), bytes + "</Quorvane>");
    }

    std::string DeeplyNested() const {
        constexpr int kDepth = 100000;
        std::string bytes;
        for (int i = 0; i < kDepth; ++i) {
            bytes += "<a>";
        }
        for (int i = 0; i < kDepth; ++i) {
            bytes += "</a>";
        }
        return WriteText(folder_.File("deep.xml"), bytes);
    }

    std::string Fifo() const {
        const std::string path = folder_.File("pipe.xml");
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }

    TempFolder folder_;
};

TEST_F(HostileFiles, GiveAFailedLoadWithoutOutputOrHang) {
    const std::string paths[] = {
        folder_.File("missing.xml"),
        folder_.Path().string(),
        WriteText(folder_.File("empty.xml"), ""),
        RandomBytes(),
        Oversized(),
        DeeplyNested(),
        Fifo(),
        "/dev/zero",
        Fixture("billion_laughs.xml"),
        Fixture("repeated_entity.xml"),
        Fixture("external_entity.xml"),
        Fixture("parameter_entity.xml"),
        Fixture("unknown_encoding.xml"),
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        CTessvarXmlParse root;
        ::testing::internal::CaptureStderr();
        const bool loaded = root.LoadFile(path);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_FALSE(loaded);
        EXPECT_EQ(root.GetChildCount(), 0);
        EXPECT_FALSE(root.Save(folder_.File("never.xml")));
    }
}

class AtomicSave : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(root_.LoadXml("<Quorvane><Item>新</Item></Quorvane>")); }

    TempFolder folder_;
    CTessvarXmlParse root_;
};

TEST_F(AtomicSave, ReplacesTheFileKeepingItsModeAndLeavesNothingElse) {
    const std::string file =
        WriteText(folder_.File("RemindInfo.xml"), "<Quorvane><Item>旧</Item></Quorvane>");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);

    ASSERT_TRUE(root_.Save(file));

    EXPECT_EQ(FolderEntries(folder_.Path()), std::vector<std::string>{"RemindInfo.xml"});
    EXPECT_NE(ReadText(file).find("<Item>新</Item>"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(AtomicSave, ANewFileIsPrivateWhateverTheUmask) {
    const std::string file = folder_.File("Holiday.xml");
    const mode_t previousMask = ::umask(0);
    const bool saved = root_.Save(file);
    ::umask(previousMask);
    ASSERT_TRUE(saved);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

// A file a load could not read may hold plans the tree never had: a save never replaces it.
TEST_F(AtomicSave, NeverReplacesAFileALoadCouldNotRead) {
    const std::string oversized = folder_.File("RemindInfo.xml");
    const std::string plans =
        "<Quorvane>" + std::string(kMaxXmlDocumentBytes, ' ') + "<Item/></Quorvane>";
    WriteText(oversized, plans);
    EXPECT_FALSE(root_.Save(oversized));
    EXPECT_EQ(std::filesystem::file_size(oversized), plans.size());

    if (::geteuid() != 0) {  // root reads every file
        const std::string unreadable =
            WriteText(folder_.File("Holiday.xml"), "<Quorvane><Item/></Quorvane>");
        ASSERT_EQ(::chmod(unreadable.c_str(), 0200), 0);
        EXPECT_FALSE(root_.Save(unreadable));
        ASSERT_EQ(::chmod(unreadable.c_str(), 0600), 0);
        EXPECT_EQ(ReadText(unreadable), "<Quorvane><Item/></Quorvane>");
    }
}

TEST_F(AtomicSave, FailsWithoutLeavingATemporaryFileBehind) {
    std::filesystem::create_directory(folder_.Path() / "taken.xml");
    const std::string targets[] = {
        folder_.File("taken.xml"),
        folder_.File("no-such-folder/RemindInfo.xml"),
        "",
    };
    // A relative temporary name would land in the working folder: make that the checked one.
    const std::filesystem::path workingFolder = std::filesystem::current_path();
    std::filesystem::current_path(folder_.Path());
    for (const std::string& target : targets) {
        SCOPED_TRACE(target);
        EXPECT_FALSE(root_.Save(target));
    }
    std::filesystem::current_path(workingFolder);
    EXPECT_EQ(FolderEntries(folder_.Path()), std::vector<std::string>{"taken.xml"});
    EXPECT_TRUE(std::filesystem::is_empty(folder_.Path() / "taken.xml"));
}

}  // namespace
}  // namespace veltaro
