#include "process/list_sort.h"

#include <algorithm>
#include <numeric>

namespace veltaro {
namespace {

constexpr std::size_t kComparedCharacters = 249;

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const std::size_t length = std::min({a.size(), b.size(), kComparedCharacters});
    for (std::size_t i = 0; i < length; ++i) {
        const char left = LowerAscii(a[i]);
        const char right = LowerAscii(b[i]);
        if (left != right) {
            return static_cast<unsigned char>(left) < static_cast<unsigned char>(right);
        }
    }
    return std::min(a.size(), kComparedCharacters) < std::min(b.size(), kComparedCharacters);
}

}  // namespace

std::vector<std::size_t> SortedRowOrder(const std::vector<std::string>& columnTexts) {
    std::vector<std::size_t> order(columnTexts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return LessIgnoringCase(columnTexts[a], columnTexts[b]);
    });
    return order;
}

}  // namespace veltaro
