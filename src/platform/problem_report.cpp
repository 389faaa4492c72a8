#include "platform/problem_report.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <string>

namespace veltaro {
namespace {

std::mutex& ReportedMutex() {
    static std::mutex mutex;
    return mutex;
}

std::set<std::string, std::less<>>& Reported() {
    static std::set<std::string, std::less<>> causes;
    return causes;
}

}  // namespace

void ReportProblemOnce(std::string_view cause, std::string_view line) {
    const std::lock_guard lock(ReportedMutex());
    if (!Reported().emplace(cause).second) {
        return;
    }
    std::fprintf(stderr, "veltaro: %.*s\n", static_cast<int>(line.size()), line.data());
    std::fflush(stderr);
}

void ForgetProblem(std::string_view cause) {
    const std::lock_guard lock(ReportedMutex());
    if (const auto found = Reported().find(cause); found != Reported().end()) {
        Reported().erase(found);
    }
}

}  // namespace veltaro
