#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace veltaro::testing {

// A helper program a test runs beside the code under test (a bus, a service double), ended with
// the test. `environment` adds or replaces "NAME=value" entries of the test's own environment.
class ChildProcess {
public:
    ChildProcess(std::vector<std::string> arguments, std::vector<std::string> environment = {}) {
        std::vector<std::string> variables;
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string entry = *variable;
            const std::string name = entry.substr(0, entry.find('=') + 1);
            bool replaced = false;
            for (const std::string& change : environment) {
                replaced = replaced || change.compare(0, name.size(), name) == 0;
            }
            if (!replaced) {
                variables.push_back(entry);
            }
        }
        variables.insert(variables.end(), environment.begin(), environment.end());
        std::vector<char*> argv = Pointers(arguments);
        std::vector<char*> envp = Pointers(variables);
        if (::posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) {
            throw std::runtime_error("cannot start " + arguments.front());
        }
    }
    ~ChildProcess() { Stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }

    // Ends it with SIGTERM (SIGKILL after two seconds) and reaps it.
    void Stop() {
        if (pid_ <= 0) {
            return;
        }
        ::kill(pid_, SIGTERM);
        for (int wait = 0; wait < 200; ++wait) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    static std::vector<char*> Pointers(std::vector<std::string>& strings) {
        std::vector<char*> pointers;
        for (std::string& s : strings) {
            pointers.push_back(s.data());
        }
        pointers.push_back(nullptr);
        return pointers;
    }

    pid_t pid_ = -1;
};

// A D-Bus bus of the test's own ("session" or "system" type), with no service folders, so that
// nothing starts on it that the test did not start.
class PrivateBus {
public:
    PrivateBus(const std::filesystem::path& folder, const std::string& type)
        : socket_(folder / (type + "-bus.sock")), config_(folder / (type + "-bus.conf")) {
        WriteConfig(type);
        daemon_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            "dbus-daemon", "--nofork", "--config-file=" + config_.string()});
        for (int wait = 0; wait < 500 && !std::filesystem::exists(socket_); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    std::string Address() const { return "unix:path=" + socket_.string(); }

private:
    void WriteConfig(const std::string& type) const {
        std::ofstream(config_)
            << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
               "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n<busconfig><type>"
            << type << "</type><listen>unix:path=" << socket_.string()
            << "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow "
               "send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow "
               "own=\"*\"/><allow user=\"*\"/></policy></busconfig>\n";
    }

    std::filesystem::path socket_;
    std::filesystem::path config_;
    std::unique_ptr<ChildProcess> daemon_;
};

}  // namespace veltaro::testing
