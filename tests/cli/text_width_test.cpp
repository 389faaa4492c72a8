#include "cli/text_width.h"

#include <gtest/gtest.h>

namespace veltaro {
namespace {

TEST(TextWidth, CountsWideCharactersTwice) {
    EXPECT_EQ(DisplayWidth(""), 0);
    EXPECT_EQ(DisplayWidth("Monday"), 6);
    EXPECT_EQ(DisplayWidth("星期一"), 6);
    EXPECT_EQ(DisplayWidth("[10]闰十一月"), 12);
    EXPECT_EQ(DisplayWidth("\xff\xfe"), 2);  // not UTF-8: a column a byte
    EXPECT_EQ(CentredIn("ab", 5), " ab  ");
    EXPECT_EQ(CentredIn("立春", 10), "   立春   ");
    EXPECT_EQ(CentredIn("Wednesday", 4), "Wednesday");
}

}  // namespace
}  // namespace veltaro
