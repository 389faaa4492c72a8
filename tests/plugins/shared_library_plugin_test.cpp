// Real plug-in libraries of every kind, loaded as the program loads them.
#include "plugins/shared_library_plugin.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "plugins/plugin_folders.h"
#include "plugins/plugin_host.h"
#include "temp_folder.h"

namespace veltaro {
namespace {

using testing::ReadText;
using testing::TempFolder;

std::filesystem::path TestPlugin(const std::string& name) {
    return std::filesystem::path(VELTARO_TEST_PLUGIN_FOLDER) / ("libtest_plugin_" + name + ".so");
}

class SharedLibraryPluginTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("VELTARO_TEST_PLUGIN_LOG", log_.c_str(), 1); }
    void TearDown() override { ::unsetenv("VELTARO_TEST_PLUGIN_LOG"); }

    TempFolder folder_;
    std::filesystem::path log_ = folder_.Path() / "calls.log";
};

TEST_F(SharedLibraryPluginTest, LoadsAPluginAndCallsItThroughTheHost) {
    PluginHost host;
    host.AddPlugin(LoadPluginLibrary(TestPlugin("single")), 4);
    host.AddPlugin(LoadPluginLibrary(TestPlugin("submenu")), 4);
    RegisterPluginLibrary(TestPlugin("single"));

    const std::vector<MenuItem> items = host.BuildMenuItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].caption, "测试");
    ASSERT_EQ(items[1].children.size(), 4u);
    EXPECT_EQ(items[1].children[2].kind, MenuItemKind::Separator);
    EXPECT_FALSE(items[1].children[1].enabled);
    EXPECT_TRUE(items[1].children[1].checked);
    EXPECT_TRUE(host.DispatchPluginCommand(18000));
    EXPECT_TRUE(host.DispatchPluginCommand(18002));
    host.UnloadPlugins();

    EXPECT_EQ(ReadText(log_),
              "single Initialize\nsingle SetLanguage 4\nsubmenu Initialize\n"
              "submenu SetLanguage 4\nsingle Register\nsingle Execute 0\nsubmenu Execute 102\n"
              "single Uninitialize\nsubmenu Uninitialize\n");
}

TEST_F(SharedLibraryPluginTest, APluginThatThrowsIsDisabledForTheRestOfTheRun) {
    std::unique_ptr<Plugin> plugin = LoadPluginLibrary(TestPlugin("throwing"));
    ASSERT_NE(plugin, nullptr);
    plugin->Execute(0);
    plugin->Execute(0);
    plugin->Uninitialize();
    EXPECT_EQ(plugin->Name(), "");
    EXPECT_EQ(ReadText(log_), "throwing Execute 0\n");
}

TEST_F(SharedLibraryPluginTest, LibrariesOfAnotherContractAreSkipped) {
    const std::filesystem::path notALibrary = folder_.Path() / "notes.so";
    testing::WriteText(notALibrary, "not a library");
    for (const std::filesystem::path& file :
         {TestPlugin("other_category"), TestPlugin("other_version"), notALibrary,
          folder_.Path() / "absent.so"}) {
        EXPECT_EQ(LoadPluginLibrary(file), nullptr) << file;
    }
}

TEST_F(SharedLibraryPluginTest, OnlyFilesNobodyElseCanChangeAreTrusted) {
    const std::filesystem::path copy = folder_.Path() / "copy.so";
    std::filesystem::copy_file(TestPlugin("single"), copy);
    ::chmod(copy.c_str(), 0755);
    EXPECT_EQ(RefusalOfPluginFile(copy), "");
    ::chmod(copy.c_str(), 0757);
    EXPECT_EQ(RefusalOfPluginFile(copy), "writable by others");
    ::chmod(copy.c_str(), 0775);
    EXPECT_EQ(RefusalOfPluginFile(copy), "writable by others");
    std::filesystem::create_symlink(TestPlugin("single"), folder_.Path() / "link.so");
    EXPECT_EQ(RefusalOfPluginFile(folder_.Path() / "link.so"), "not a regular file");
}

TEST(PluginFolders, BesideAWritableProgramElseTheInstalledAndTheUsersOwn) {
    EXPECT_EQ(PluginFolders("/opt/veltaro/", true, "/home/u/.local/share"),
              (std::vector<std::filesystem::path>{"/opt/veltaro/Plugin"}));
    EXPECT_EQ(PluginFolders("/usr/bin/", false, "/home/u/.local/share"),
              (std::vector<std::filesystem::path>{"/usr/lib/veltaro/plugins",
                                                  "/home/u/.local/share/veltaro/Plugin"}));
    TempFolder folder;
    for (const char* name : {"b.so", "a.so", "readme.txt"}) {
        testing::WriteText(folder.Path() / name, "");
    }
    EXPECT_EQ(ListPluginFiles({folder.Path(), folder.Path() / "absent"}),
              (std::vector<std::filesystem::path>{folder.Path() / "a.so", folder.Path() / "b.so"}));
}

}  // namespace
}  // namespace veltaro
