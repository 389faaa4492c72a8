#include "process/process_menu.h"

#include <gtest/gtest.h>

#include "fake_process_source.h"
#include "platform/interface_language.h"
#include "process/process_actions.h"

namespace veltaro {
namespace {

using testing::FakeProcessSource;

TEST(ProcessMenu, EnablesAndChecksByTheListOnShowAndTheSelection) {
    struct Case {
        ShownList shown;
        bool selected;
        // Enabled: kill, delete, process list, module list, thread list, about, browse, property.
        std::vector<bool> enabled;
        int checked;
    };
    const int commands[] = {kKillProcess,    kDeleteFile, kShowProcessList, kShowModuleList,
                            kShowThreadList, kAboutFile,  kBrowseFile,      kFileProperty};
    const Case cases[] = {
        {ShownList::kProcesses, false, {1, 1, 1, 0, 0, 0, 1, 1}, kShowProcessList},
        {ShownList::kProcesses, true, {1, 1, 1, 1, 1, 0, 1, 1}, kShowProcessList},
        {ShownList::kModules, true, {0, 1, 1, 1, 1, 0, 1, 1}, kShowModuleList},
        {ShownList::kThreads, true, {0, 0, 1, 1, 1, 0, 0, 0}, kShowThreadList},
    };
    for (const Case& c : cases) {
        for (std::size_t i = 0; i < std::size(commands); ++i) {
            const ProcessMenuItemState state =
                StateOfProcessMenuItem(commands[i], c.shown, c.selected);
            EXPECT_EQ(state.enabled, c.enabled[i]) << commands[i];
            EXPECT_EQ(state.checked, commands[i] == c.checked) << commands[i];
        }
    }
    EXPECT_EQ(ProcessMenuItems().size(), 11u);
}

TEST(DeleteQuestion, NamesTheMappingProcessesInListOrderThenThoseHoldingItOpen) {
    FakeProcessSource source;
    const std::string library = "/tmp/plugin.so";
    source.Add(10, "alpha", {{"alpha", "/usr/bin/alpha"}, {"plugin.so", library}});
    source.Add(20, "beta", {{"beta", "/usr/bin/beta"}});
    source.Add(30, "gamma", {{"gamma", "/usr/bin/gamma"}, {"Plugin.so", "/tmp/Plugin.so"}});
    source.Add(40, "delta", {{"delta", "/usr/bin/delta"}, {"plugin.so", library}});
    source.processes[20].open.insert(library);
    const std::vector<ListedProcess> listed = {
        {40, "delta"}, {20, "beta"}, {30, "gamma"}, {10, "alpha"}};

    const std::vector<FileHolder> fromModules = HoldersToEnd(library, std::nullopt, listed, source);
    EXPECT_EQ(fromModules, (std::vector<FileHolder>{
                               {40, "delta", false}, {10, "alpha", false}, {20, "beta", true}}));
    EXPECT_EQ(DeleteQuestion(fromModules, kLanguageEnglish),
              "If you delete this file from diskette. \nyou must kill following processes:\t\n\n"
              "delta\nalpha\nbeta (has it open)\n\nWarning: don't recover if you delete.");
    EXPECT_EQ(HoldersToEnd("/usr/bin/gamma", 30, listed, source),
              (std::vector<FileHolder>{{30, "gamma", false}}));
    EXPECT_EQ(DeleteQuestion({}, kLanguageChinese),
              "如果要从磁盘删除此文件,必须结束下列进程:\t\n\n\n请注意:删除后将不能恢复");
}

}  // namespace
}  // namespace veltaro
