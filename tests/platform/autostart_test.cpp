#include "platform/autostart.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace veltaro {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

TEST(DesktopExecValue, QuotesThePathAndEscapesItAsAStringValue) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/usr/bin/veltaro", R"("/usr/bin/veltaro")"},
        {"/opt/my apps/veltaro", R"("/opt/my apps/veltaro")"},
        {R"(/opt/say "hi"/veltaro)", R"("/opt/say \\"hi\\"/veltaro")"},
        {R"(/opt/back\slash/veltaro)", R"("/opt/back\\\\slash/veltaro")"},
        {"/opt/$HOME/veltaro", R"("/opt/\\$HOME/veltaro")"},
        {"/opt/`id`/veltaro", R"("/opt/\\`id\\`/veltaro")"},
        {"/opt/100%/veltaro", R"("/opt/100%%/veltaro")"},
        {"/opt/a\tb\nc/veltaro", R"("/opt/a\tb\nc/veltaro")"},
        {"/opt/it's <mine>; & more/veltaro", R"("/opt/it's <mine>; & more/veltaro")"},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(DesktopExecValue(path), expected) << path;
    }
}

TEST(WriteAutostartEntry, WritesTheWholeEntryIntoTheUsersAutostartFolder) {
    const TempFolder temp;
    const auto entry = AutostartEntryPath(temp.Path() / "config");
    EXPECT_EQ(entry, temp.Path() / "config" / "autostart" / "veltaro.desktop");

    ASSERT_TRUE(WriteAutostartEntry(entry, R"(/opt/My "Tools"/veltaro)"));
    EXPECT_EQ(ReadText(entry),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Version=1.5\n"
              "Name=Veltaro\n"
              R"(Exec="/opt/My \\"Tools\\"/veltaro")"
              "\n"
              "Terminal=false\n"
              "X-GNOME-Autostart-enabled=true\n");

    // Every start rewrites it, so a moved program is found at its new place.
    ASSERT_TRUE(WriteAutostartEntry(entry, "/usr/bin/veltaro"));
    EXPECT_NE(ReadText(entry).find("\nExec=\"/usr/bin/veltaro\"\n"), std::string::npos);
}

TEST(WriteAutostartEntry, FailsWithoutAProgramOrAUsableFolder) {
    const TempFolder temp;
    EXPECT_FALSE(WriteAutostartEntry(AutostartEntryPath(temp.Path()), ""));
    EXPECT_FALSE(std::filesystem::exists(AutostartEntryPath(temp.Path())));

    WriteText(temp.Path() / "plain", "a file, not a folder");
    EXPECT_FALSE(
        WriteAutostartEntry(AutostartEntryPath(temp.Path() / "plain"), "/usr/bin/veltaro"));
    EXPECT_TRUE(AutostartEntryPath("").empty());
    EXPECT_FALSE(WriteAutostartEntry(AutostartEntryPath(""), "/usr/bin/veltaro"));
}

}  // namespace
}  // namespace veltaro
