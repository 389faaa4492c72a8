// Icons by desktop entry and the facts of a file, over real folders and files.
#include "process/desktop_entry_icons.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "process/file_facts.h"
#include "temp_folder.h"

namespace veltaro {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteText;

TEST(ProgramOfExecLine, TakesTheFirstWordPastEnvAndQuotes) {
    const struct {
        const char* exec;
        const char* program;
    } cases[] = {
        {"gedit %U", "gedit"},
        {"\"/opt/My Editor/edit\" --new %F", "/opt/My Editor/edit"},
        {"\"/opt/q\\\"uote/run\"", "/opt/q\"uote/run"},
        {"env LANG=C GDK_BACKEND=x11 /usr/bin/tool -x", "/usr/bin/tool"},
        {"  ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgramOfExecLine(c.exec), c.program) << c.exec;
    }
}

class DesktopEntryIconsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"home/applications/sub", "system/applications", "bin"}) {
            fs::create_directories(folder.Path() / name);
        }
        editor = WriteText(folder.Path() / "bin" / "my editor", "#!/bin/sh\n");
        const std::string tool = WriteText(folder.Path() / "real-tool", "#!/bin/sh\n");
        fs::create_symlink(tool, folder.Path() / "bin" / "tool");
        Entry("home/applications/editor.desktop",
              "[Desktop Entry]\nType=Application\nIcon=accessories-text-editor\nExec=\"" + editor +
                  "\" %F\n[Desktop Action new]\nExec=other\n");
        Entry("system/applications/editor.desktop",
              "[Desktop Entry]\nType=Application\nIcon=hidden-by-home\nExec=\"" + editor + "\"\n");
        Entry("home/applications/sub/tool.desktop",
              "[Desktop Entry]\nType=Application\nIcon=/icons/tool.png\nTryExec=tool\n"
              "Exec=env LANG=C tool --x\n");
        Entry("system/applications/absent.desktop",
              "[Desktop Entry]\nType=Application\nIcon=absent-icon\nExec=not-installed\n");
        Entry("system/applications/link.desktop",
              "[Desktop Entry]\nType=Link\nIcon=link-icon\nExec=linked\n");
    }
    void Entry(const std::string& name, const std::string& text) {
        WriteText(folder.Path() / name, text);
    }
    DesktopEntryIcons Icons() const {
        return DesktopEntryIcons({folder.Path() / "home", folder.Path() / "system"},
                                 (folder.Path() / "bin").string() + ":/nonexistent");
    }

    TempFolder folder;
    std::string editor;
};

TEST_F(DesktopEntryIconsTest, MatchesTheExecutableByPathOrByName) {
    const DesktopEntryIcons icons = Icons();
    const std::string realTool = fs::canonical(folder.Path() / "real-tool").string();
    const struct {
        std::string executable;
        std::string icon;
    } cases[] = {
        {editor, "accessories-text-editor"},          // an earlier folder hides a later entry
        {realTool, "/icons/tool.png"},                // found on the path, link resolved
        {"/elsewhere/not-installed", "absent-icon"},  // by name when not on the path
        {"/usr/bin/linked", ""},                      // not an application
        {"/usr/bin/other", ""},                       // an action's Exec is not the entry's
        {"/usr/bin/unknown", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(icons.IconNameFor(c.executable), c.icon) << c.executable;
    }
}

TEST(XdgDataFolders, HomeFirstThenTheSystemFoldersOrTheirDefault) {
    const auto lookup = [](std::string dirs) {
        return [dirs](std::string_view name) -> std::string {
            if (name == "XDG_DATA_HOME")
                return "/home/u/.local/share";
            if (name == "XDG_DATA_DIRS")
                return dirs;
            return "";
        };
    };
    EXPECT_EQ(XdgDataFolders(lookup("")),
              (std::vector<fs::path>{"/home/u/.local/share", "/usr/local/share", "/usr/share"}));
    EXPECT_EQ(XdgDataFolders(lookup("/opt/share:relative::/usr/share")),
              (std::vector<fs::path>{"/home/u/.local/share", "/opt/share", "/usr/share"}));
}

TEST(FileFacts, SizeOwnerPermissionsAndModifiedTime) {
    const TempFolder folder;
    const std::string file = WriteText(folder.Path() / "lib.so", "12345");
    ::chmod(file.c_str(), 0640);
    const timespec times[2] = {{0, 0}, {0, 0}};
    ::utimensat(AT_FDCWD, file.c_str(), times, 0);

    const std::optional<FileFacts> facts = ReadFileFacts(file);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->size, 5u);
    EXPECT_EQ(facts->owner, ::getpwuid(::getuid())->pw_name);
    EXPECT_EQ(facts->permissions, "-rw-r----- (0640)");
    EXPECT_EQ(facts->modified, "1970/01/01 08:00:00");  // TZ is Asia/Shanghai in the tests
    EXPECT_EQ(PermissionText(S_IFDIR | 01777), "drwxrwxrwx (1777)");
    EXPECT_FALSE(ReadFileFacts(folder.File("absent")));
}

}  // namespace
}  // namespace veltaro
