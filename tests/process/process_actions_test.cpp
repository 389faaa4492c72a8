// The actions on real child processes and real files.
#include "process/process_actions.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>

#include "child_processes.h"
#include "process/proc_process_source.h"
#include "temp_folder.h"

namespace veltaro {
namespace {

using namespace std::chrono_literals;
using testing::HoldingChild;
using testing::TempFolder;

TEST(ProcessActions, KillEndsAProcessAndFailsForOneThatIsGone) {
    HoldingChild child;
    const int pid = child.Pid();
    EXPECT_TRUE(KillProcess(pid));
    EXPECT_TRUE(child.Reap());
    EXPECT_FALSE(KillProcess(pid));
    EXPECT_FALSE(KillProcess(0));
}

TEST(ProcessActions, DeletesALibraryAfterEndingTheThreeProcessesThatMapIt) {
    const TempFolder folder;
    const std::string library = folder.File("shared.so");
    std::ofstream(library) << std::string(8192, 'x');
    ::chmod(library.c_str(), 0444);  // read-only: made writable before it goes
    HoldingChild first(library);
    HoldingChild unrelated;
    HoldingChild second(library);
    HoldingChild opener({}, library);
    HoldingChild third(library);
    const std::vector<ListedProcess> listed = {{third.Pid(), "third"},
                                               {unrelated.Pid(), "x"},
                                               {first.Pid(), "first"},
                                               {opener.Pid(), "opener"},
                                               {second.Pid(), "second"}};
    const ProcProcessSource source;

    const std::vector<FileHolder> holders = HoldersToEnd(library, std::nullopt, listed, source);

    EXPECT_EQ(holders, (std::vector<FileHolder>{{third.Pid(), "third", false},
                                                {first.Pid(), "first", false},
                                                {second.Pid(), "second", false},
                                                {opener.Pid(), "opener", true}}));
    EXPECT_TRUE(DeleteFileAfterEnding(library, holders, 100ms));
    EXPECT_FALSE(std::filesystem::exists(library));
    for (HoldingChild* ended : {&first, &second, &third, &opener}) {
        EXPECT_TRUE(ended->Reap());
    }
    EXPECT_EQ(::kill(unrelated.Pid(), 0), 0) << "a process that didn't hold the file lives on";
}

TEST(ProcessActions, AFileThatCantBeDeletedIsReported) {
    const TempFolder folder;
    const std::string notAFile = folder.File("folder");
    std::filesystem::create_directory(notAFile);
    EXPECT_FALSE(DeleteFileAfterEnding(notAFile, {}, 0ms));
    EXPECT_FALSE(DeleteFileAfterEnding(folder.File("absent"), {}, 0ms));
    EXPECT_TRUE(std::filesystem::exists(notAFile));
}

}  // namespace
}  // namespace veltaro
