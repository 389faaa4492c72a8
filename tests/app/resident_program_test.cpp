// The real `veltaro` program, started and ended the ways a desktop session starts and ends it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <set>
#include <thread>

#include "app/command_ids.h"
#include "platform/boot_tag.h"
#include "platform/instance_channel.h"
#include "program_sandbox.h"
#include "recorder/run_record.h"

namespace veltaro {
namespace {

namespace fs = std::filesystem;
using testing::ProgramSandbox;
using testing::ReadText;

void WriteRecord(const fs::path& file, const RunRecord& record) {
    const RunRecordBytes bytes = SerializeRunRecord(record);
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// The log as whole records; a size that is no multiple of a record fails the test.
std::vector<RunRecord> ReadLog(const fs::path& file) {
    const std::string text = ReadText(file);
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    EXPECT_EQ(bytes.size() % kRunRecordSize, 0u) << "the run log holds a partial record";
    std::vector<RunRecord> records;
    for (std::size_t at = 0; at + kRunRecordSize <= bytes.size(); at += kRunRecordSize) {
        records.push_back(DeserializeRunRecord(
            std::span<const std::uint8_t, kRunRecordSize>(bytes.data() + at, kRunRecordSize)));
    }
    return records;
}

// A run of an earlier boot: 2026-03-14 08:30:00, three hours long.
RunRecord EarlierRun(std::int64_t durationMs = 3 * 3600 * 1000) {
    RunRecord record;
    record.startTime = {0, 30, 8, 14, 2, 126, 6, 72, 0};
    record.bootTag = CurrentBootTag() ^ 0x5a5a5a5au;
    record.durationMs = durationMs;
    return record;
}

// Starts the sandbox's program with its stderr going to a file of the test's own.
class StderrOfProgram {
public:
    explicit StderrOfProgram(const fs::path& file) : file_(file), saved_(::dup(STDERR_FILENO)) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
    }
    ~StderrOfProgram() { Restore(); }
    StderrOfProgram(const StderrOfProgram&) = delete;
    StderrOfProgram& operator=(const StderrOfProgram&) = delete;

    // The program's lines, once it ended.
    std::string Text() {
        Restore();
        return ReadText(file_);
    }

private:
    void Restore() {
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
            saved_ = -1;
        }
    }

    fs::path file_;
    int saved_;
};

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

bool SameRun(const RunRecord& a, const RunRecord& b) {
    return SerializeRunRecord(a) == SerializeRunRecord(b);
}

void ExpectSettingsSavedByExit(const ProgramSandbox& sandbox) {
    const FileSettingsStore settings = sandbox.Settings();
    EXPECT_EQ(settings.ReadFourBytes("HWND"), 0u);
    EXPECT_EQ(settings.ReadDword("Language"), 9u);
    EXPECT_EQ(settings.ReadDword("RemindOnHour"), 1u);
    EXPECT_EQ(settings.ReadPathString("Background"),
              (sandbox.ProgramFolder() / "Background.bmp").string());
}

TEST(ResidentProgram, FirstStartWritesItsSettingsAndLogonEntry) {
    ProgramSandbox sandbox;
    const pid_t pid = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilRunning(pid));
    const FileSettingsStore settings = sandbox.Settings();
    EXPECT_EQ(settings.ReadPathString("Path"), sandbox.ProgramFolder().string() + "/");
    EXPECT_EQ(settings.ReadPathString("Version"), "6.0");
    const std::string text = ReadText(sandbox.ConfigHome() / "autostart" / "veltaro.desktop");
    EXPECT_NE(text.find((sandbox.ProgramFolder() / "veltaro").string()), std::string::npos);
    ::kill(pid, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(pid), 0);
    EXPECT_TRUE(ReadLog(sandbox.ProgramFolder() / "durmet.tm").empty());
    const std::vector<RunRecord> heartbeat = ReadLog(sandbox.ProgramFolder() / "tmptime1.tm");
    ASSERT_EQ(heartbeat.size(), 1u);
    EXPECT_EQ(heartbeat[0].bootTag, CurrentBootTag());
}

TEST(ResidentProgram, DataFilesAreCreatedAndADamagedOneIsKeptAside) {
    ProgramSandbox sandbox;
    const fs::path folder = sandbox.ProgramFolder();
    const std::string damaged = "<Quorvane><RemindList><DateType><Item Message=\"a\">";
    std::ofstream(folder / "RemindInfo.xml") << damaged;
    StderrOfProgram err(sandbox.ConfigHome() / "stderr.txt");
    const pid_t pid = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilRunning(pid));
    ::kill(pid, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(pid), 0);
    const std::string lines = err.Text();
    EXPECT_EQ(CountOf(lines, "Veltaro: " + (folder / "RemindInfo.xml").string() +
                                 " is damaged (not a well-formed XML document); kept aside as "),
              1u)
        << lines;
    std::vector<std::string> keptAside;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with("RemindInfo.xml.damaged-")) {
            keptAside.push_back(entry.path());
        }
    }
    ASSERT_EQ(keptAside.size(), 1u);
    EXPECT_EQ(ReadText(keptAside[0]), damaged);
    for (const char* name : {"RemindInfo.xml", "Holiday.xml"}) {
        EXPECT_NE(ReadText(folder / name).find("<Quorvane>"), std::string::npos) << name;
    }
}

// A data file that can't be read may hold every plan: the program runs on the defaults and says
// why once, and leaves the file, and whatever a planted link leads to, as it is.
TEST(ResidentProgram, AnUnreadableDataFileIsLeftAsItIsAndReportedOnce) {
    ProgramSandbox sandbox;
    const fs::path folder = sandbox.ProgramFolder();
    fs::create_directory(folder / "RemindInfo.xml");
    const fs::path outside = sandbox.ConfigHome() / "outside.xml";
    const std::string foreign = "<Quorvane><Holiday/></Quorvane>";
    testing::WriteText(outside, foreign);
    fs::create_symlink(outside, folder / "Holiday.xml");

    StderrOfProgram err(sandbox.ConfigHome() / "stderr.txt");
    const pid_t pid = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilRunning(pid));
    ::kill(pid, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(pid), 0);

    const std::string lines = err.Text();
    EXPECT_EQ(CountOf(lines, "Veltaro: cannot read " + (folder / "RemindInfo.xml").string() +
                                 " (is a directory); running on the defaults"),
              1u)
        << lines;
    EXPECT_EQ(CountOf(lines, "Veltaro: cannot read " + (folder / "Holiday.xml").string() +
                                 " (is a symbolic link"),
              1u)
        << lines;
    EXPECT_TRUE(fs::is_directory(folder / "RemindInfo.xml"));
    EXPECT_TRUE(fs::is_symlink(folder / "Holiday.xml"));
    EXPECT_EQ(ReadText(outside), foreign);
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        EXPECT_EQ(entry.path().filename().string().find(".damaged-"), std::string::npos)
            << entry.path();
    }
}

TEST(ResidentProgram, AnInstalledProgramSeedsTheFirstDataFilesFromItsShippedOnes) {
    ProgramSandbox sandbox;
    // Installed as <prefix>/program/veltaro beside <prefix>/share/veltaro/.
    const fs::path shipped = sandbox.ProgramFolder().parent_path() / "share" / "veltaro";
    fs::create_directories(shipped);
    const std::string festivals =
        "<Quorvane><Holiday><SolarHoliday><Month Index=\"10\"><Day Day=\"1\" Chinese=\"国庆节\" "
        "English=\"National Day\" ID=\"115\"/></Month></SolarHoliday></Holiday></Quorvane>";
    testing::WriteText(shipped / "Holiday.xml", festivals);
    testing::WriteText(shipped / "Background.bmp", "BM picture");
    const pid_t pid = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilRunning(pid));
    ::kill(pid, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(pid), 0);
    // The data go to the user's data folder, even for a user who may write to the program's.
    const fs::path data = sandbox.DataHome() / "veltaro";
    EXPECT_EQ(ReadText(data / "Holiday.xml"), festivals);
    EXPECT_EQ(ReadText(data / "Background.bmp"), "BM picture");
    EXPECT_TRUE(fs::exists(data / "tmptime1.tm"));
    EXPECT_FALSE(fs::exists(sandbox.ProgramFolder() / "tmptime1.tm"));
    EXPECT_EQ(sandbox.Settings().ReadPathString("Background"), (data / "Background.bmp").string());
}

// A display that is named but can't be reached must not stop the recorder.
TEST(ResidentProgram, RunsWithoutWindowsWhenTheDisplayIsUnusable) {
    ProgramSandbox sandbox;
    const pid_t pid = sandbox.Start({"QT_QPA_PLATFORM", "DISPLAY=:97", "WAYLAND_DISPLAY"});
    ASSERT_TRUE(sandbox.WaitUntilRunning(pid));
    ::kill(pid, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(pid), 0);
}

// Every way the desktop ends the program runs the orderly exit, which saves the settings.
TEST(ResidentProgram, EveryEndRequestRunsTheExit) {
    const std::vector<std::pair<std::string, int>> endings = {
        {"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}, {"SIGINT", SIGINT}, {"Exit command", 0}};
    for (const auto& [name, signal] : endings) {
        SCOPED_TRACE(name);
        ProgramSandbox sandbox;
        const pid_t pid = sandbox.Start();
        ASSERT_TRUE(sandbox.WaitUntilRunning(pid));
        if (signal != 0) {
            ::kill(pid, signal);
        } else {
            int answer = -1;
            EXPECT_EQ(SendInstanceCommand(InstanceSocketPath(sandbox.RuntimeDir(), pid),
                                          kCommandExit, std::chrono::seconds(20), &answer),
                      SendOutcome::Answered);
            EXPECT_EQ(answer, 0);
            // The answer comes after the exit steps: the settings are already saved.
            EXPECT_EQ(sandbox.Hwnd(), 0u);
        }
        EXPECT_EQ(sandbox.WaitForExit(pid), 0);
        ExpectSettingsSavedByExit(sandbox);
    }
}

TEST(ResidentProgram, EarlierRunIsAppendedOnceAcrossRestarts) {
    ProgramSandbox sandbox;
    const fs::path folder = sandbox.ProgramFolder();
    WriteRecord(folder / "tmptime1.tm", EarlierRun(1000));
    WriteRecord(folder / "tmptime2.tm", EarlierRun());
    const pid_t first = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilRunning(first));
    // Started at once, inside the first heartbeat period of the first instance.
    const pid_t second = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilRunning(second));
    EXPECT_EQ(sandbox.WaitForExit(first), 0);
    const pid_t third = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilRunning(third));
    EXPECT_EQ(sandbox.WaitForExit(second), 0);
    ::kill(third, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(third), 0);
    const std::vector<RunRecord> log = ReadLog(folder / "durmet.tm");
    ASSERT_EQ(log.size(), 1u);
    EXPECT_TRUE(SameRun(log[0], EarlierRun()));
    ExpectSettingsSavedByExit(sandbox);
}

// "Background" is read before the hand-over, "Language" after the previous instance saved its own.
TEST(ResidentProgram, SettingsAreReadOnEachSideOfTheHandOver) {
    ProgramSandbox sandbox;
    const pid_t first = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilRunning(first));
    // Changed behind the running instance's back; its exit writes its own values over both.
    ASSERT_TRUE(sandbox.Settings().Write(
        {{"Language", DwordSetting(4)}, {"Background", StringSetting("/pictures/menu.bmp")}}));
    const pid_t second = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilRunning(second));
    EXPECT_EQ(sandbox.WaitForExit(first), 0);
    ::kill(second, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(second), 0);
    EXPECT_EQ(sandbox.Settings().ReadDword("Language"), 9u);
    EXPECT_EQ(sandbox.Settings().ReadPathString("Background"), "/pictures/menu.bmp");
}

TEST(ResidentProgram, TwoStartsAtOnceLeaveOneInstanceAndOneMerge) {
    ProgramSandbox sandbox;
    WriteRecord(sandbox.ProgramFolder() / "tmptime1.tm", EarlierRun());
    const pid_t a = sandbox.Start();
    const pid_t b = sandbox.Start();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    pid_t survivor = 0;
    while (std::chrono::steady_clock::now() < deadline && survivor == 0) {
        const std::uint32_t hwnd = sandbox.Hwnd().value_or(0);
        if ((hwnd == static_cast<std::uint32_t>(a) && !sandbox.IsAlive(b)) ||
            (hwnd == static_cast<std::uint32_t>(b) && !sandbox.IsAlive(a))) {
            survivor = static_cast<pid_t>(hwnd);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_NE(survivor, 0) << "no single instance remained";
    EXPECT_EQ(sandbox.WaitForExit(survivor == a ? b : a), 0);
    ::kill(survivor, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(survivor), 0);
    EXPECT_EQ(ReadLog(sandbox.ProgramFolder() / "durmet.tm").size(), 1u);
}

// A power cut can stop the program anywhere, even inside a write: whatever it leaves, the next
// start reads the log back as whole records, each one a run that really was.
TEST(ResidentProgram, KillAtRandomMomentsNeverCorruptsTheLog) {
    ProgramSandbox sandbox;
    const fs::path folder = sandbox.ProgramFolder();
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> delayMs(0, 900);
    constexpr int kStarts = 12;
    for (int start = 0; start < kStarts; ++start) {
        // Each start finds an earlier run waiting, so every start has something to merge.
        WriteRecord(folder / "tmptime1.tm", EarlierRun(1000 + start));
        WriteRecord(folder / "tmptime2.tm", EarlierRun(1000 + start));
        const pid_t pid = sandbox.Start();
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        ::kill(pid, SIGKILL);
        sandbox.WaitForExit(pid);
    }
    const pid_t last = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilRunning(last));
    ::kill(last, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(last), 0);
    const std::vector<RunRecord> log = ReadLog(folder / "durmet.tm");
    EXPECT_GE(log.size(), 1u);
    EXPECT_LE(log.size(), static_cast<std::size_t>(kStarts));
    std::set<std::int64_t> runs;
    for (const RunRecord& record : log) {
        EXPECT_EQ(record.bootTag, EarlierRun().bootTag);
        EXPECT_GE(record.durationMs, 1000);
        EXPECT_LT(record.durationMs, 1000 + kStarts);
        EXPECT_TRUE(runs.insert(record.durationMs).second) << "a run was appended twice";
    }
}

// The settings file can't be written (here: a folder in its place), so "HWND" never names the
// running instance: each start must still find it by its socket and replace it.
TEST(ResidentProgram, StartsReplaceTheInstanceAlsoWhenTheSettingsCantBeSaved) {
    ProgramSandbox sandbox;
    fs::create_directories(sandbox.ConfigHome() / "veltaro" / "settings.reg");
    // A socket left by an instance that was killed: nobody listens, and the next start removes it.
    fs::create_directories(sandbox.RuntimeDir() / "veltaro");
    testing::WriteText(InstanceSocketPath(sandbox.RuntimeDir(), 999999), "");
    std::vector<pid_t> started;
    for (int start = 0; start < 5; ++start) {
        started.push_back(sandbox.Start());
        ASSERT_TRUE(sandbox.WaitUntilListening(started.back()));
    }
    for (std::size_t i = 0; i + 1 < started.size(); ++i) {
        EXPECT_EQ(sandbox.WaitForExit(started[i]), 0) << "start " << i;
    }
    EXPECT_TRUE(sandbox.IsAlive(started.back()));
    EXPECT_FALSE(fs::exists(InstanceSocketPath(sandbox.RuntimeDir(), 999999)));
    ::kill(started.back(), SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(started.back()), 0);
}

// A same-user process that connects and sends nothing must not stall the program: other commands
// are still carried out at once, and the silent connection is dropped after its deadline.
TEST(ResidentProgram, ASilentConnectionDoesNotStallTheProgram) {
    ProgramSandbox sandbox;
    const pid_t pid = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilRunning(pid));
    const fs::path socket = InstanceSocketPath(sandbox.RuntimeDir(), pid);
    const int silent = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", socket.c_str());
    ASSERT_EQ(::connect(silent, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);

    EXPECT_EQ(SendInstanceCommand(socket, kCommandHide, std::chrono::milliseconds(500)),
              SendOutcome::Answered);
    char byte = 0;
    EXPECT_EQ(::read(silent, &byte, 1), 0) << "the silent connection is closed after its deadline";
    ::close(silent);
    EXPECT_EQ(SendInstanceCommand(socket, kCommandExit, std::chrono::seconds(10)),
              SendOutcome::Answered);
    EXPECT_EQ(sandbox.WaitForExit(pid), 0);
}

// Links planted where the data files belong must not make the program write anywhere else.
TEST(ResidentProgram, SymbolicLinksAtTheDataFilesAreLeftAlone) {
    ProgramSandbox sandbox;
    const fs::path folder = sandbox.ProgramFolder();
    const fs::path outside = sandbox.RuntimeDir() / "outside";
    fs::create_directories(outside);
    const char* names[] = {"durmet.tm", "tmptime1.tm", "tmptime2.tm", "pending.tm",
                           ".veltaro.lock"};
    for (const char* name : names) {
        WriteRecord(outside / name, EarlierRun());
        fs::create_symlink(outside / name, folder / name);
    }
    const pid_t pid = sandbox.Start();
    ASSERT_TRUE(sandbox.WaitUntilListening(pid));
    std::this_thread::sleep_for(std::chrono::milliseconds(700));  // a few heartbeats
    ::kill(pid, SIGTERM);
    EXPECT_EQ(sandbox.WaitForExit(pid), 0);
    for (const char* name : names) {
        EXPECT_TRUE(fs::is_symlink(folder / name)) << name;
        const std::vector<RunRecord> content = ReadLog(outside / name);
        ASSERT_EQ(content.size(), 1u) << name;
        EXPECT_TRUE(SameRun(content[0], EarlierRun())) << name;
    }
}

}  // namespace
}  // namespace veltaro
