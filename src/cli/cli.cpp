#include "cli/cli.h"

#include "cli/subcommand.h"

namespace veltaro {
namespace {

void WriteUsage(std::ostream& out) {
    out << "usage: veltaro-cli SUBCOMMAND [ARGUMENTS]\n\nsubcommands:\n";
    for (const Subcommand& command : AllSubcommands()) {
        out << "  " << command.name << ' ' << command.usage << "\n      " << command.summary
            << '\n';
    }
}

const Subcommand* FindSubcommand(std::string_view name) {
    for (const Subcommand& command : AllSubcommands()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace

int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        err << "veltaro-cli: no subcommand given (try --help)\n";
        return kExitBadArguments;
    }
    const std::string& name = arguments.front();
    if (name == "--help" || name == "-h" || name == "help") {
        WriteUsage(out);
        return kExitDone;
    }
    const Subcommand* command = FindSubcommand(name);
    if (command == nullptr) {
        err << "veltaro-cli: unknown subcommand '" << name << "' (try --help)\n";
        return kExitBadArguments;
    }
    return command->run(arguments.subspan(1), out, err);
}

}  // namespace veltaro
