// The one UTF-8 and UTF-16 decoder of the settings and the XML text.
#include "platform/unicode_text.h"

#include <gtest/gtest.h>

namespace veltaro {
namespace {

TEST(DecodeUtf8, TakesOnlyShortestFormsOfRealCodePoints) {
    const struct {
        std::string_view bytes;
        std::optional<char32_t> codePoint;
        std::size_t next;  // where decoding goes on
    } cases[] = {
        {"A", U'A', 1},
        {"\xC2\xA9", U'\u00A9', 2},
        {"\xE4\xB8\xAD", U'\u4E2D', 3},
        {"\xF0\x9F\x98\x80", U'\U0001F600', 4},
        {"\xF4\x8F\xBF\xBF", U'\U0010FFFF', 4},
        {"\xC0\xAF", std::nullopt, 1},          // overlong '/'
        {"\xE0\x80\xAF", std::nullopt, 1},      // overlong '/'
        {"\xED\xA0\x80", std::nullopt, 1},      // a surrogate
        {"\xF4\x90\x80\x80", std::nullopt, 1},  // past U+10FFFF
        {"\xE4\xB8", std::nullopt, 1},          // cut short
        {"\xE4\x41\xAD", std::nullopt, 1},      // not a continuation
        {"\x80", std::nullopt, 1},              // a lone continuation
        {"\xF8\x88\x80\x80\x80", std::nullopt, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.bytes)));
        std::size_t pos = 0;
        EXPECT_EQ(DecodeUtf8(c.bytes, pos), c.codePoint);
        EXPECT_EQ(pos, c.next);
    }
}

TEST(UnicodeConversion, FailsOrReplacesInvalidSequencesAsAsked) {
    EXPECT_EQ(Utf16Of("a\xFF"
                      "b",
                      InvalidSequences::kFail),
              std::nullopt);
    EXPECT_EQ(Utf16Of("a\xFF"
                      "b",
                      InvalidSequences::kReplace),
              u"a\uFFFDb");
    EXPECT_EQ(Utf16Of("\U0001F600", InvalidSequences::kFail), u"\U0001F600");

    const std::u16string loneHigh = {u'a', char16_t{0xD800}, u'b'};
    EXPECT_EQ(Utf8Of(loneHigh, InvalidSequences::kFail), std::nullopt);
    EXPECT_EQ(Utf8Of(loneHigh, InvalidSequences::kReplace),
              "a\xEF\xBF\xBD"
              "b");
    const std::u16string loneLow = {char16_t{0xDC00}};
    EXPECT_EQ(Utf8Of(loneLow, InvalidSequences::kFail), std::nullopt);
    EXPECT_EQ(Utf8Of(u"中\U0001F600", InvalidSequences::kFail), "中\U0001F600");
}

}  // namespace
}  // namespace veltaro
