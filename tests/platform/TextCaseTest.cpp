#include "platform/TextCase.h"

#include <gtest/gtest.h>

using platform::LowerCase;

TEST(TextCase, AsciiAndLatinOneLettersGoToLowerCaseAndNothingElseChanges)
{
    EXPECT_EQ(LowerCase(u"CoreDLL.DLL"), u"coredll.dll");
    EXPECT_EQ(LowerCase(u"\\Storage Card\\ÄÖÜ"), u"\\storage card\\äöü");
    EXPECT_EQ(LowerCase(u"À×ÞßŸ@[`{"), u"à×þßŸ@[`{"); // the multiplication sign, ß and beyond Latin-1 stay
    EXPECT_EQ(LowerCase(u""), u"");
}

TEST(TextCase, PositionsInTheResultArePositionsInTheOriginal)
{
    std::u16string_view path = u"\\Programme\\Start.EXE,HIDE";
    std::u16string lower = LowerCase(path);
    ASSERT_EQ(lower.size(), path.size());
    EXPECT_EQ(path.substr(lower.find(u".exe"), 4), u".EXE");
}
