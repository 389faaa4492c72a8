#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace veltaro {

// The order in which rows with these column texts are shown after a click on the column's
// header: the texts (their first 249 characters) compared ignoring letter case, ascending, every
// time. Element i of the result is the row that goes to position i.
std::vector<std::size_t> SortedRowOrder(const std::vector<std::string>& columnTexts);

}  // namespace veltaro
