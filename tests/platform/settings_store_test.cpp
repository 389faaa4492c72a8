#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include "fake_clock.h"
#include "test_support.h"

namespace veltaro {
namespace {

using testing::PermissionsOf;
using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;
using Bytes = std::vector<std::uint8_t>;

constexpr auto kString = SettingType::kString;
constexpr auto kDword = SettingType::kDword;

constexpr const char* kHeader = "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Veltaro]\n";

// 2024-01-02 03:04:05 in Shanghai, the tests' time zone.
constexpr std::int64_t kDamageSeconds = 1704135845;

class SettingsStoreTest : public ::testing::Test {
protected:
    void WriteFile(const std::string& text) {
        std::filesystem::create_directories(file.parent_path());
        WriteText(file, text);
    }

    TempFolder temp;
    std::filesystem::path file = temp.Path() / "config" / "veltaro" / "settings.reg";
    testing::FakeClock clock{kDamageSeconds};
    FileSettingsStore store{file, clock};
};

struct RoundTripCase {
    std::string name;
    SettingValue value;
    std::string line;  // how the file shows it
};

TEST_F(SettingsStoreTest, EveryValueReadsBackWithItsTypeAndBytes) {
    const std::vector<RoundTripCase> cases = {
        {"Version", StringSetting("6.0"), R"("Version"="6.0")"},
        {"Path", StringSetting("/home/李雷/工具/"), R"("Path"="/home/李雷/工具/")"},
        {"Quotes", StringSetting(R"(C:\a "b" \\)"), R"("Quotes"="C:\\a \"b\" \\\\")"},
        {"Emoji", StringSetting("\U0001F600"), "\"Emoji\"=\"\U0001F600\""},
        {"Empty", StringSetting(""), R"("Empty"="")"},
        {"ZeroBytes", {kString, {}}, R"("ZeroBytes"=hex(1):)"},
        {"Odd", {kString, {'a', 0, 0}}, R"("Odd"=hex(1):61,00,00)"},
        {"NoZero", {kString, {'a', 0, 'b', 0}}, R"("NoZero"=hex(1):61,00,62,00)"},
        {"InnerZero",
         {kString, {'a', 0, 0, 0, 'b', 0, 0, 0}},
         R"("InnerZero"=hex(1):61,00,00,00,62,00,00,00)"},
        {"LoneSurrogate", {kString, {0x00, 0xD8, 0, 0}}, R"("LoneSurrogate"=hex(1):00,d8,00,00)"},
        {"Newline", StringSetting("a\nb"), R"("Newline"=hex(1):61,00,0a,00,62,00,00,00)"},
        {"Delete", StringSetting("\x7F"), R"("Delete"=hex(1):7f,00,00,00)"},
        {"Expand",
         {SettingType::kExpandString, StringSetting("%A").bytes},
         R"("Expand"=hex(2):25,00,41,00,00,00)"},
        {"Blob", {SettingType::kBinary, {0x00, 0xFF, 0x10}}, R"("Blob"=hex:00,ff,10)"},
        {"EmptyBlob", {SettingType::kBinary, {}}, R"("EmptyBlob"=hex:)"},
        {"HWND", DwordSetting(0x12345678), R"("HWND"=dword:12345678)"},
        {"ShortDword", {kDword, {1, 2, 3}}, R"("ShortDword"=hex(4):01,02,03)"},
        {"Other", {static_cast<SettingType>(0xFFFF0000), {1}}, R"("Other"=hex(ffff0000):01)"},
        {R"(Na"me\)", DwordSetting(1), R"("Na\"me\\"=dword:00000001)"},
        {"语言", DwordSetting(4), R"("语言"=dword:00000004)"},
    };
    SettingWrites writes;
    for (const auto& entry : cases) {
        writes.emplace_back(entry.name, entry.value);
    }
    ASSERT_TRUE(store.Write(writes));

    const FileSettingsStore reopened(file);
    const std::string text = ReadText(file);
    EXPECT_TRUE(text.starts_with("REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Veltaro]\n"));
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(reopened.Read(entry.name), entry.value);
        EXPECT_NE(text.find("\n" + entry.line + "\n"), std::string::npos) << text;
    }
}

TEST_F(SettingsStoreTest, LaterWritesKeepOtherValuesAndReplaceTheirOwn) {
    ASSERT_TRUE(store.WriteString("Version", "5.0"));
    ASSERT_TRUE(store.WriteDword("HWND", 42));
    ASSERT_TRUE(store.Write({{"Version", StringSetting("6.0")}, {"Language", DwordSetting(4)}}));

    EXPECT_EQ(store.Read("Version"), StringSetting("6.0"));
    EXPECT_EQ(store.ReadDword("HWND"), 42u);
    EXPECT_EQ(store.ReadDword("Language"), 4u);
    EXPECT_EQ(store.Read("version"), std::nullopt);
}

TEST_F(SettingsStoreTest, MissingFileReadsNothingAndReadsCreateNothing) {
    EXPECT_EQ(store.Read("Version"), std::nullopt);
    EXPECT_EQ(store.ReadDword("HWND"), std::nullopt);
    EXPECT_EQ(store.ReadPathString("Background"), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
}

TEST_F(SettingsStoreTest, FirstWriteMakesPrivateFolderAndFileAndLeavesNoTemporary) {
    ASSERT_TRUE(store.WriteDword("HWND", 1));

    using std::filesystem::perms;
    EXPECT_EQ(PermissionsOf(file.parent_path()), perms::owner_all);
    EXPECT_EQ(PermissionsOf(temp.Path() / "config"), perms::owner_all);
    EXPECT_EQ(PermissionsOf(file), perms::owner_read | perms::owner_write);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path())) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"settings.reg", "settings.reg.lock"}));
}

TEST_F(SettingsStoreTest, WritesThatCantBeMadeFailAndChangeNothing) {
    EXPECT_FALSE(store.Write({{"Good", DwordSetting(1)}, {"Bad\nName", DwordSetting(2)}}));
    EXPECT_FALSE(store.WriteDword("Bad\xFFName", 1));
    EXPECT_FALSE(std::filesystem::exists(file));

    WriteText(temp.Path() / "plain", "a file, not a folder");
    FileSettingsStore blocked(temp.Path() / "plain" / "settings.reg");
    EXPECT_FALSE(blocked.WriteDword("HWND", 1));
    EXPECT_FALSE(FileSettingsStore("").WriteDword("HWND", 1));

    // A settings path that isn't a readable file may hide good values: it is left alone.
    std::filesystem::create_directories(file);
    EXPECT_FALSE(store.WriteDword("HWND", 1));
    EXPECT_TRUE(std::filesystem::is_directory(file));

    // A FIFO in its place neither hangs a read nor is replaced.
    const std::filesystem::path fifo = temp.Path() / "fifo.reg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    FileSettingsStore piped(fifo);
    EXPECT_EQ(piped.ReadDword("HWND"), std::nullopt);
    EXPECT_FALSE(piped.WriteDword("HWND", 1));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

// A link planted at the settings path could lead anywhere: it is neither read through nor replaced,
// and saving says it failed.
TEST_F(SettingsStoreTest, ASymbolicLinkAtTheSettingsPathIsLeftAlone) {
    const std::filesystem::path elsewhere = temp.Path() / "elsewhere.reg";
    const std::string foreign = std::string(kHeader) + "\"HWND\"=dword:00000007\n";
    WriteText(elsewhere, foreign);
    std::filesystem::create_directories(file.parent_path());
    std::filesystem::create_symlink(elsewhere, file);

    EXPECT_EQ(store.ReadDword("HWND"), std::nullopt);
    EXPECT_FALSE(store.WriteDword("HWND", 1));
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(ReadText(elsewhere), foreign);
}

// Over the size cap the file is not ours to judge: it is left as it is, not kept aside.
TEST_F(SettingsStoreTest, AFileOverTheSizeCapIsLeftAsItIs) {
    const std::string huge =
        std::string(kHeader) + "\"A\"=dword:00000001\n" + std::string(2 << 20, ';') + "\n";
    WriteFile(huge);
    EXPECT_EQ(store.Read("A"), std::nullopt);
    EXPECT_FALSE(store.WriteDword("HWND", 1));
    EXPECT_EQ(std::filesystem::file_size(file), huge.size());
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".damaged-20240102-030405"));
}

// A full disk: the write fails in the middle, the caller hears of it and the old file stays.
TEST_F(SettingsStoreTest, AFullDiskFailsTheWriteAndKeepsTheOldFile) {
    ASSERT_TRUE(store.WriteDword("HWND", 1));
    const std::string before = ReadText(file);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The file size limit stands in for the full disk: writes past it fail with EFBIG.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        FileSettingsStore own(file);
        ::_exit(own.WriteString("Background", std::string(4096, 'x')) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadText(file), before);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path())) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"settings.reg", "settings.reg.lock"}));
}

TEST_F(SettingsStoreTest, AnUnreadableFileFailsTheWriteAndIsLeftAlone) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    ASSERT_TRUE(store.WriteDword("HWND", 1));
    std::filesystem::permissions(file, std::filesystem::perms::owner_write);
    EXPECT_EQ(store.ReadDword("HWND"), std::nullopt);
    EXPECT_FALSE(store.WriteDword("HWND", 2));
    std::filesystem::permissions(file, std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(store.ReadDword("HWND"), 1u);
}

struct TypedReadCase {
    const char* label;
    SettingValue stored;
    std::optional<std::uint32_t> dword;
    std::optional<std::uint32_t> fourBytes;
    std::optional<std::string> pathString;
};

TEST_F(SettingsStoreTest, TypedReadsFollowTheStartUpRules) {
    const auto kExpand = SettingType::kExpandString;
    const auto kBinary = SettingType::kBinary;
    const std::string longest(259, 'x');
    const std::vector<TypedReadCase> cases = {
        {"dword", DwordSetting(7), 7, 7, std::nullopt},
        {"dword of 3 bytes", {kDword, {1, 2, 3}}, std::nullopt, 0x030201, std::nullopt},
        {"dword of 5 bytes", {kDword, {1, 2, 3, 4, 5}}, std::nullopt, std::nullopt, std::nullopt},
        {"binary of 4 bytes", {kBinary, {1, 0, 0, 0}}, std::nullopt, 1, std::nullopt},
        {"empty binary", {kBinary, {}}, std::nullopt, 0, std::nullopt},
        {"language as a string", StringSetting("4"), std::nullopt, 0x34, "4"},
        {"string", StringSetting("/home/李雷/背景.bmp"), std::nullopt, std::nullopt,
         "/home/李雷/背景.bmp"},
        {"0-byte string", {kString, {}}, std::nullopt, 0, ""},
        {"string of only its zero", StringSetting(""), std::nullopt, 0, ""},
        {"string without its zero",
         {kString, {'a', 0, 'b', 0}},
         std::nullopt,
         0x00620061,
         std::nullopt},
        {"odd string", {kString, {'a', 0, 0}}, std::nullopt, 0x61, std::nullopt},
        {"inner zero ends the string",
         {kString, {'a', 0, 0, 0, 'b', 0, 0, 0}},
         std::nullopt,
         std::nullopt,
         "a"},
        {"expand string, not expanded",
         {kExpand, StringSetting("$HOME/%A").bytes},
         std::nullopt,
         std::nullopt,
         "$HOME/%A"},
        {"string bytes of binary type",
         {kBinary, StringSetting("a").bytes},
         std::nullopt,
         0x61,
         std::nullopt},
        {"lone surrogate",
         {kString, {0x00, 0xD8, 'a', 0, 0, 0}},
         std::nullopt,
         std::nullopt,
         "\xEF\xBF\xBD"
         "a"},
        {"520 bytes", StringSetting(longest), std::nullopt, std::nullopt, longest},
        {"522 bytes", StringSetting(longest + "x"), std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        ASSERT_TRUE(store.Write({{"Value", entry.stored}}));
        EXPECT_EQ(store.ReadDword("Value"), entry.dword);
        EXPECT_EQ(store.ReadFourBytes("Value"), entry.fourBytes);
        EXPECT_EQ(store.ReadPathString("Value"), entry.pathString);
    }
    EXPECT_EQ(store.ReadDword("Missing"), std::nullopt);
    EXPECT_EQ(store.ReadFourBytes("Missing"), std::nullopt);
    EXPECT_EQ(store.ReadPathString("Missing"), std::nullopt);
}

TEST_F(SettingsStoreTest, DamagedFileReadsAsNothing) {
    const std::vector<std::string> texts = {
        "",
        "garbage\n",
        "REGEDIT4\n\"A\"=dword:00000001\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\SOFTWARE\\Other]\n\"A\"=dword:00000001\n",
        std::string(kHeader) + "\"A\"=dword:1\n",
        std::string(kHeader) + "\"A\"=dword:0000000g\n",
        std::string(kHeader) + "\"A\"=hex:0g\n",
        std::string(kHeader) + "\"A\"=hex:01,\n",
        std::string(kHeader) + "\"A\"=hex:001\n",
        std::string(kHeader) + "\"A\"=hex(zz):00\n",
        std::string(kHeader) + "\"A\"=\"unterminated\n",
        std::string(kHeader) + "\"A\"=\"bad \\q escape\"\n",
        std::string(kHeader) + "\"A\"=\"\xFF\"\n",
        std::string(kHeader) + "\"A\x01\"=dword:00000001\n",
        std::string(kHeader) + "\"A\"=dword:00000001 trailing\n",
        std::string(kHeader) + "\"A\"=dword:00000001\n" + std::string(2 << 20, ';') + "\n",
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(text.substr(0, 80));
        WriteFile(text);
        EXPECT_EQ(store.Read("A"), std::nullopt);
    }
}

TEST_F(SettingsStoreTest, HandEditedFileWithCommentsAndLineEndsStillReads) {
    WriteFile(
        "REGEDIT4\r\n\r\n; written by hand\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Veltaro]  \r\n"
        "\"Language\"=dword:0000000A\r\n\"Blob\"=hex:AB,cd\r\n\"Language\"=dword:00000004");
    EXPECT_EQ(store.ReadDword("Language"), 4u);
    EXPECT_EQ(store.Read("Blob"), (SettingValue{SettingType::kBinary, {0xAB, 0xCD}}));
}

TEST_F(SettingsStoreTest, DamagedFileIsKeptAsideBeforeTheNextWriteReplacesIt) {
    WriteFile("garbage\n");
    ASSERT_TRUE(store.WriteDword("HWND", 0));
    EXPECT_EQ(ReadText(file.string() + ".damaged-20240102-030405"), "garbage\n");
    EXPECT_EQ(store.ReadDword("HWND"), 0u);

    // A second damage within the same second must not overwrite the first copy.
    WriteFile("more garbage\n");
    ASSERT_TRUE(store.WriteDword("Language", 9));
    EXPECT_EQ(ReadText(file.string() + ".damaged-20240102-030405"), "garbage\n");
    EXPECT_EQ(ReadText(file.string() + ".damaged-20240102-030405-2"), "more garbage\n");
    EXPECT_EQ(store.ReadDword("Language"), 9u);
    EXPECT_EQ(store.Read("HWND"), std::nullopt);
}

TEST_F(SettingsStoreTest, WritersInTwoProcessesKeepEachOthersValues) {
    constexpr int kWritesPerProcess = 100;
    const std::vector<std::string> prefixes = {"A", "B"};
    std::vector<pid_t> children;
    for (const auto& prefix : prefixes) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            FileSettingsStore own(file);
            bool allWritten = true;
            for (int index = 0; index < kWritesPerProcess; ++index) {
                allWritten &= own.WriteDword(prefix + std::to_string(index),
                                             static_cast<std::uint32_t>(index));
            }
            ::_exit(allWritten ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (const auto& prefix : prefixes) {
        for (int index = 0; index < kWritesPerProcess; ++index) {
            EXPECT_EQ(store.ReadDword(prefix + std::to_string(index)),
                      static_cast<std::uint32_t>(index))
                << prefix << index;
        }
    }
}

}  // namespace
}  // namespace veltaro
