#pragma once

#include <ostream>
#include <span>
#include <string>

namespace veltaro {

// The companion's command line without the program name: picks the subcommand and runs it.
int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace veltaro
