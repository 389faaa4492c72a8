// The process lists of the real /proc, with processes the test starts and ends.
#include "process/proc_process_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "child_processes.h"
#include "platform/interface_language.h"
#include "process/process_list.h"
#include "temp_folder.h"

namespace veltaro {
namespace {

using testing::HoldingChild;
using testing::TempFolder;

bool Contains(const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST(ProcProcessSource, DescribesOwnProcessesAndSeesThemComeAndGo) {
    const ProcProcessSource source;
    HoldingChild child;
    ASSERT_TRUE(Contains(source.ProcessIds(), child.Pid()));

    const std::optional<ProcessDescription> description = source.Describe(child.Pid());
    ASSERT_TRUE(description);
    EXPECT_EQ(description->path, std::filesystem::read_symlink("/proc/self/exe").string());
    EXPECT_EQ(description->name, description->path.substr(description->path.rfind('/') + 1)
                                     .substr(0, 15));  // the kernel keeps 15 characters
    const std::time_t now = std::time(nullptr);
    std::tm created = description->createTime;
    EXPECT_NEAR(static_cast<double>(std::mktime(&created)), static_cast<double>(now), 5.0);

    const int pid = child.Pid();
    ::kill(pid, SIGKILL);
    child.Reap();
    EXPECT_FALSE(Contains(source.ProcessIds(), pid));
    EXPECT_FALSE(source.Describe(pid));
}

TEST(ProcProcessSource, ItsCensusChangesWhenAProcessStartsAndWhenItEnds) {
    const ProcProcessSource source;
    const std::optional<TaskCensus> before = source.Census();
    ASSERT_TRUE(before);
    auto child = std::make_unique<HoldingChild>();
    const std::optional<TaskCensus> running = source.Census();
    EXPECT_NE(running, before);
    child.reset();
    EXPECT_NE(source.Census(), running);
}

TEST(ProcProcessSource, ListsMappedFilesExecutableFirstAndEveryThread) {
    const TempFolder folder;
    const std::string mapped = folder.File("data.bin");
    std::ofstream(mapped) << std::string(8192, 'x');
    const ProcProcessSource source;
    HoldingChild child(mapped);

    const std::vector<ModuleEntry> modules = source.Modules(child.Pid());
    ASSERT_FALSE(modules.empty());
    EXPECT_EQ(modules.front().path, std::filesystem::read_symlink("/proc/self/exe").string());
    EXPECT_NE(std::find(modules.begin(), modules.end(), ModuleEntry{"data.bin", mapped}),
              modules.end());
    EXPECT_EQ(ModuleRowsOf(source, child.Pid()).size(), modules.size() - 1);

    std::thread second([] { std::this_thread::sleep_for(std::chrono::milliseconds(300)); });
    const std::vector<ThreadEntry> threads = source.Threads(::getpid());
    second.join();
    EXPECT_GE(threads.size(), 2u);
    EXPECT_NE(std::find_if(threads.begin(), threads.end(),
                           [](const ThreadEntry& thread) { return thread.id == ::getpid(); }),
              threads.end());
}

TEST(ProcProcessSource, KnowsWhoHoldsAFileOpen) {
    const TempFolder folder;
    const std::string file = folder.File("held.txt");
    std::ofstream(file) << "held";
    const ProcProcessSource source;
    HoldingChild holder({}, file);
    HoldingChild other;
    EXPECT_TRUE(source.HoldsOpen(holder.Pid(), file));
    EXPECT_FALSE(source.HoldsOpen(other.Pid(), file));
}

TEST(ProcProcessSource, ANewChildIsANewLastRowAndAnEndedOneGoes) {
    const ProcProcessSource source;
    struct Rows final : ProcessListView {
        std::size_t RowCount() const override { return pids.size(); }
        std::string PidCell(std::size_t row) const override { return pids[row]; }
        void AppendRow(const ProcessRow& row) override { pids.push_back(row.pidText); }
        void RemoveRow(std::size_t row) override {
            pids.erase(pids.begin() + static_cast<std::ptrdiff_t>(row));
        }
        std::string CountLine() const override { return {}; }
        void SetCountLine(const std::string&) override {}
        std::vector<std::string> pids;
    } rows;
    ProcessListMemory memory;
    RefreshProcessList(rows, source, kLanguageEnglish, memory);
    auto child = std::make_unique<HoldingChild>();
    const std::string pidText = PidCellText(child->Pid());

    const std::vector<std::string> before = rows.pids;
    RefreshProcessList(rows, source, kLanguageEnglish, memory);
    // Appended: only rows new to this refresh follow it, since other processes of the machine
    // may have started meanwhile.
    const auto row = std::find(rows.pids.begin(), rows.pids.end(), pidText);
    ASSERT_NE(row, rows.pids.end());
    for (auto later = row; later != rows.pids.end(); ++later) {
        EXPECT_EQ(std::find(before.begin(), before.end(), *later), before.end()) << *later;
    }
    child.reset();
    RefreshProcessList(rows, source, kLanguageEnglish, memory);
    EXPECT_EQ(std::find(rows.pids.begin(), rows.pids.end(), pidText), rows.pids.end());
}

}  // namespace
}  // namespace veltaro
