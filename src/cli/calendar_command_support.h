#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veltaro {

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
