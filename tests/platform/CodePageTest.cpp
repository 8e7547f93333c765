#include "platform/CodePage.h"
#include "platform/Utf.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(CodePage, WesternEuropeanBytesBecomeTheirCharacters)
{
    EXPECT_EQ(AnsiToWide("abc"), u"abc");
    // Latin-1 range, the euro sign and quotes of 0x80-0x9F, the unassigned 0x81.
    EXPECT_EQ(AnsiToWide("\xE4\xF6\xFC\xDF"), u"äöüß");
    EXPECT_EQ(AnsiToWide("\x80\x84\x93\x9F"), u"\u20AC\u201E\u201C\u0178");
    EXPECT_EQ(AnsiToWide("\x81\x8D"), u"\u0081\u008D");
    EXPECT_EQ(AnsiToWide(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf, RoundTripsAndReplacesBrokenSequences)
{
    std::u16string text = u"Grüße \U0001F600 \\ \"";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(FromUtf8("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD"); // overlong
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // encoded surrogate
}
