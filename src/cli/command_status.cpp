#include "cli/command_status.h"

#include "cli/subcommand.h"

namespace veltaro {
namespace {

void WriteProblem(std::string_view command, std::string_view problem, std::ostream& err) {
    err << "veltaro-cli " << command << ": " << problem << '\n';
}

}  // namespace

int ReportBadArguments(std::string_view command, std::string_view problem, std::ostream& err) {
    WriteProblem(command, problem, err);
    return kExitBadArguments;
}

int ReportUnreadable(std::string_view command, std::string_view problem, std::ostream& err) {
    WriteProblem(command, problem, err);
    return kExitUnreadable;
}

std::optional<int> EndForErrorOrHelp(std::string_view command, std::string_view usage,
                                     const CommandArguments& parsed, std::ostream& out,
                                     std::ostream& err) {
    if (!parsed.error.empty()) {
        return ReportBadArguments(command, parsed.error, err);
    }
    if (parsed.help) {
        out << "usage: veltaro-cli " << command << ' ' << usage << '\n';
        return kExitDone;
    }
    return std::nullopt;
}

}  // namespace veltaro
