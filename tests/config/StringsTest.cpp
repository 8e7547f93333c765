#include "config/Strings.h"

#include <gtest/gtest.h>

#include <string>

using namespace config;

TEST(Strings, CompareNMatchesKeywordsAsCaseSensitivePrefixes)
{
    EXPECT_EQ(CompareN(u"TEXT", u"TEXT", 4), 0);
    EXPECT_EQ(CompareN(u"TEXT", u"TEXTURE", 4), 0);
    EXPECT_NE(CompareN(u"TEXT", u"Text", 4), 0);
    EXPECT_NE(CompareN(u"TEXT", u"TEX", 4), 0);
    EXPECT_GT(CompareN(u"TEXT", u"TEX", 4), 0);
    EXPECT_LT(CompareN(u"TEXT", u"TEXTURE", 5), 0);
    EXPECT_GT(CompareN(u"b", u"a", 1), 0);
    EXPECT_EQ(CompareN(u"ab", u"ab", 10), 0);
    // Equal strings are equal whatever lies behind their terminators.
    char16_t const a[] = { u'a', u'\0', u'x' };
    char16_t const b[] = { u'a', u'\0', u'y' };
    EXPECT_EQ(CompareN(a, b, 3), 0);
    EXPECT_EQ(CompareN(u"abc", u"xyz", 0), 0);
}

TEST(Strings, CopyStringTruncatesToCapacityAndAlwaysTerminates)
{
    char16_t buffer[8];
    std::u16string(8, u'#').copy(buffer, 8);
    EXPECT_EQ(CopyString(u"abcdefghij", buffer, 5), 4u);
    EXPECT_EQ(std::u16string(buffer), u"abcd");
    EXPECT_EQ(buffer[5], u'#');

    EXPECT_EQ(CopyString(u"ab", buffer, 8), 2u);
    EXPECT_EQ(std::u16string(buffer), u"ab");

    EXPECT_EQ(CopyString(u"ab", buffer, 1), 0u);
    EXPECT_EQ(buffer[0], u'\0');

    buffer[0] = u'#';
    EXPECT_EQ(CopyString(u"ab", buffer, 0), 0u);
    EXPECT_EQ(buffer[0], u'#');
    EXPECT_EQ(StringLength(u""), 0u);
    EXPECT_EQ(StringLength(u"abc"), 3u);
}

TEST(Strings, FindCharAndSkipBlanksStayWithinTheirCount)
{
    char16_t const* line = u"Key=Value=2";
    EXPECT_EQ(FindChar(line, u'=', 11), line + 3);
    EXPECT_EQ(FindChar(line, u'=', 3), nullptr);
    EXPECT_EQ(FindChar(line, u'2', 11), line + 10);
    EXPECT_EQ(FindChar(line, u'x', 11), nullptr);

    char16_t const* blanks = u" \t\r\nx ";
    EXPECT_EQ(SkipBlanks(blanks, 6), blanks + 4);
    EXPECT_EQ(SkipBlanks(blanks, 3), blanks + 3);
    EXPECT_EQ(SkipBlanks(blanks, 0), blanks);
    char16_t const* other = u"\vx";
    EXPECT_EQ(SkipBlanks(other, 2), other);
}

TEST(Strings, AViewEndsItsTextAtItsFirstNul)
{
    EXPECT_EQ(BeforeNul(std::u16string_view(u"ab\0cd", 5)), u"ab");
    EXPECT_EQ(BeforeNul(std::u16string_view(u"abcd", 3)), u"abc");
    EXPECT_EQ(BeforeNul(std::u16string_view(u"\0a", 2)), u"");
}
