#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/calendar_arguments.h"

namespace veltaro {

// Writes "veltaro-cli COMMAND: PROBLEM" and gives the exit status of bad arguments.
int ReportBadArguments(std::string_view command, std::string_view problem, std::ostream& err);

// Writes "veltaro-cli COMMAND: PROBLEM" and gives the exit status of data that can't be read.
int ReportUnreadable(std::string_view command, std::string_view problem, std::ostream& err);

// The exit status when the subcommand ends before doing its work: the arguments' error, or the
// usage when --help was asked for.
std::optional<int> EndForErrorOrHelp(std::string_view command, std::string_view usage,
                                     const CalendarArguments& parsed, std::ostream& out,
                                     std::ostream& err);

// A year the perpetual calendar shows (1900..2100), or the problem with `text`.
std::optional<int> ReadCalendarYear(const std::string& text, std::string& problem);

// The operands `NAME [NAME2]` read by `read` (which names the problem of a bad one), as the first
// and the last value of an inclusive range: NAME2 defaults to NAME and must not come before it.
template <class Value, class Read>
std::optional<std::pair<Value, Value>> ReadOperandRange(const std::vector<std::string>& operands,
                                                        std::string_view name, Read read,
                                                        std::string& problem) {
    if (operands.empty() || operands.size() > 2) {
        problem = "needs " + std::string(name) + " and at most one " + std::string(name) + "2";
        return std::nullopt;
    }
    const std::optional<Value> first = read(operands.front(), problem);
    const std::optional<Value> last = first ? read(operands.back(), problem) : first;
    if (!first || !last) {
        return std::nullopt;
    }
    if (*last < *first) {
        problem = operands.back() + " is before " + operands.front();
        return std::nullopt;
    }
    return std::pair{*first, *last};
}

}  // namespace veltaro
