#include "process/process_list.h"

#include <gtest/gtest.h>

#include "fake_process_source.h"
#include "platform/interface_language.h"
#include "process/list_sort.h"

namespace veltaro {
namespace {

using testing::FakeProcessSource;

// The list control as a vector of rows; counts the writes of the count line.
class VectorListView final : public ProcessListView {
public:
    std::size_t RowCount() const override { return rows.size(); }
    std::string PidCell(std::size_t row) const override { return rows[row].pidText; }
    void AppendRow(const ProcessRow& row) override { rows.push_back(row); }
    void RemoveRow(std::size_t row) override {
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(row));
    }
    std::string CountLine() const override { return countLine; }
    void SetCountLine(const std::string& text) override {
        countLine = text;
        ++countLineWrites;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const ProcessRow& row : rows) {
            names.push_back(row.name);
        }
        return names;
    }

    std::vector<ProcessRow> rows;
    std::string countLine;
    int countLineWrites = 0;
};

class RefreshProcessListTest : public ::testing::Test {
protected:
    void SetUp() override {
        source_.Add(1, "init");
        source_.Add(4, "kworker");
        source_.processes[4].description.reset();  // a kernel thread: counted, not listed
        source_.Add(300, "bash");
        source_.Add(1200, "veltaro");
    }
    void Refresh() { RefreshProcessList(view_, source_, kLanguageEnglish, memory_); }

    FakeProcessSource source_;
    VectorListView view_;
    ProcessListMemory memory_;
};

TEST_F(RefreshProcessListTest, ListsTheProcessesItCanOpenAndCountsThemAll) {
    Refresh();

    EXPECT_EQ(view_.Names(), (std::vector<std::string>{"init", "bash", "veltaro"}));
    EXPECT_EQ(view_.rows[1].pidText, "     300");
    EXPECT_EQ(view_.rows[1].path, "/usr/bin/bash");
    EXPECT_EQ(view_.rows[1].createTime, "2026/12/11 00:00:00");
    EXPECT_EQ(view_.countLine, "Process Count: 4");
    RefreshProcessList(view_, source_, kLanguageChinese, memory_);
    EXPECT_EQ(view_.countLine, "进程数量: 4");
}

TEST_F(RefreshProcessListTest, AppendsNewRowsRemovesEndedOnesAndLeavesTheRestAlone) {
    Refresh();
    // The user sorted the rows; a process starts and two end at once.
    std::swap(view_.rows[0], view_.rows[2]);
    view_.rows[1].name = "untouched";
    source_.End(1);
    source_.End(1200);
    source_.Add(77, "vim");
    const int describedBefore = source_.describeCalls;

    Refresh();

    EXPECT_EQ(view_.Names(), (std::vector<std::string>{"untouched", "vim"}));
    // Only the new process was looked at: the one that can't be opened was read once, before.
    EXPECT_EQ(source_.describeCalls - describedBefore, 1);
    EXPECT_EQ(view_.countLine, "Process Count: 3");
}

TEST_F(RefreshProcessListTest, ReadsAProcessThatCantBeOpenedOnceWhileItRuns) {
    Refresh();
    Refresh();
    EXPECT_EQ(source_.describeCalls, 4);
    // Its id ends and comes back as a process that can be described: it is read again.
    source_.End(4);
    Refresh();
    source_.Add(4, "reused");
    Refresh();
    EXPECT_EQ(source_.describeCalls, 5);
    EXPECT_EQ(view_.Names().back(), "reused");
}

TEST_F(RefreshProcessListTest, WritesTheCountLineOnlyWhenItChanges) {
    Refresh();
    Refresh();
    EXPECT_EQ(view_.countLineWrites, 1);
    source_.End(300);
    Refresh();
    EXPECT_EQ(view_.countLineWrites, 2);
}

TEST_F(RefreshProcessListTest, SkipsThePassWhileTheCensusStaysButNotForLong) {
    source_.census = TaskCensus{4, 1200};
    Refresh();
    // A start the census doesn't show (a pid namespace, where an outer task ended meanwhile):
    // the skips run out and a pass finds it.
    source_.Add(77, "vim");
    for (int tick = 0; tick < ProcessListMemory::kMostPassesSkipped; ++tick) {
        Refresh();
    }
    EXPECT_EQ(source_.passes, 1);
    EXPECT_EQ(view_.Names().back(), "veltaro");
    Refresh();
    EXPECT_EQ(view_.Names().back(), "vim");
    // A census that differs: the very next refresh passes.
    source_.End(77);
    source_.census = TaskCensus{4, 1300};
    Refresh();
    EXPECT_EQ(source_.passes, 3);
    EXPECT_EQ(view_.Names().back(), "veltaro");
}

TEST(ProcessCells, PidTextSortsByNumberAndReadsBack) {
    EXPECT_EQ(PidCellText(4), "       4");
    EXPECT_EQ(PidCellText(12345678), " 12345678");  // the blank flag keeps its place
    for (const int pid : {4, 300, 12345678}) {
        EXPECT_EQ(PidOfCell(PidCellText(pid)), pid);
    }
    EXPECT_EQ(PidOfCell("  42x7"), 42);
    const std::vector<std::string> pids = {PidCellText(300), PidCellText(4), PidCellText(1200),
                                           PidCellText(31)};
    EXPECT_EQ(SortedRowOrder(pids), (std::vector<std::size_t>{1, 3, 0, 2}));
    EXPECT_EQ(ThreadIdText(0x1a2b), "0x00001A2B");
}

TEST(SortedRowOrder, IgnoresCaseAndSortsAscendingEveryTime) {
    const std::vector<std::string> names = {"bash", "Xorg", "apt", "Bash2", "xfce"};
    const std::vector<std::size_t> expected = {2, 0, 3, 4, 1};
    EXPECT_EQ(SortedRowOrder(names), expected);
    EXPECT_EQ(SortedRowOrder(names), expected);
    // Only the first 249 characters count.
    const std::string common(249, 'a');
    EXPECT_EQ(SortedRowOrder({common + "z", common + "b"}), (std::vector<std::size_t>{0, 1}));
}

TEST(ModuleRows, LeaveOutTheProcesssOwnExecutable) {
    FakeProcessSource source;
    source.Add(9, "app", {{"app", "/usr/bin/app"}, {"libc.so.6", "/usr/lib/libc.so.6"}});
    EXPECT_EQ(ModuleRowsOf(source, 9),
              (std::vector<ModuleEntry>{{"libc.so.6", "/usr/lib/libc.so.6"}}));
}

TEST(RefreshCounter, RefreshesEveryTickWhenShownEveryTenthWhenHiddenAndRebuildsAfter10000) {
    RefreshCounter counter;
    int hiddenRefreshes = 0;
    for (int tick = 0; tick < 30; ++tick) {
        hiddenRefreshes += counter.Next(false).refresh ? 1 : 0;
    }
    EXPECT_EQ(hiddenRefreshes, 3);
    EXPECT_TRUE(counter.Next(true).refresh);
    int rebuildAt = -1;
    for (int tick = 31; tick <= 10002 && rebuildAt < 0; ++tick) {
        if (counter.Next(true).rebuild) {
            rebuildAt = tick;
        }
    }
    // The first tick to find more than 10000 ticks counted.
    EXPECT_EQ(rebuildAt, 10001);
    EXPECT_FALSE(counter.Next(true).rebuild);
}

}  // namespace
}  // namespace veltaro
