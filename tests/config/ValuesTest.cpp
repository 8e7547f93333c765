#include "config/Strings.h"
#include "config/Values.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

using namespace config;

static std::optional<std::u16string_view> Value(std::u16string_view line, size_t minimum)
{
    return ValueOf(line, minimum);
}

TEST(Values, ValueOfFindsTheValueAfterTheFirstEqualsSign)
{
    EXPECT_EQ(Value(u"Width=", kMinimumValue), std::nullopt);
    EXPECT_EQ(Value(u"Width=   ", kMinimumValue), std::nullopt);
    EXPECT_EQ(Value(u"Width", kMinimumValue), std::nullopt);
    EXPECT_EQ(*Value(u"Width=   7", kMinimumValue), u"7");
    EXPECT_EQ(*Value(u"Name= a b  ", kMinimumValue), u"a b  ");

    std::optional<std::u16string_view> twice = Value(u"Width==5", kMinimumValue);
    ASSERT_NE(twice, std::nullopt);
    EXPECT_EQ(*twice, u"=5");
    EXPECT_EQ(ParseInt(*twice), 0);

    // Only the given length counts as the line.
    char16_t const* line = u"Key=Value";
    EXPECT_EQ(ValueOf({ line, 3 }, kMinimumValue), std::nullopt);
    EXPECT_EQ(ValueOf({ line, 4 }, kMinimumValue), std::nullopt);
    ASSERT_NE(ValueOf({ line, 5 }, kMinimumValue), std::nullopt);
    EXPECT_EQ(ValueOf({ line, 5 }, kMinimumValue)->data(), line + 4);
}

TEST(Values, ValueOfWantsTheMinimumLengthAfterTheBlanks)
{
    EXPECT_EQ(Value(u"Color=ABCD", kMinimumColorValue), std::nullopt);
    EXPECT_EQ(Value(u"Color=   ABCD", kMinimumColorValue), std::nullopt);
    EXPECT_EQ(*Value(u"Color=ABCDEF", kMinimumColorValue), u"ABCDEF");
    EXPECT_EQ(*Value(u"Color=  ABCDEF", kMinimumColorValue), u"ABCDEF");
    EXPECT_EQ(Value(u"Command=\\a.e", 5), std::nullopt);
    EXPECT_EQ(*Value(u"Command=\\a.ex", 5), u"\\a.ex");
}

TEST(Values, ValueOfRunsToTheEndOfTheLinePastAnyNul)
{
    std::u16string_view const line(u"Text=a\0b", 8);
    ASSERT_NE(Value(line, kMinimumValue), std::nullopt);
    EXPECT_EQ(*Value(line, kMinimumValue), std::u16string_view(u"a\0b", 3));
}

TEST(Values, ParsersOfAViewStopAtItsFirstNulOrItsEnd)
{
    EXPECT_EQ(ParseInt(std::u16string_view(u"12\0" u"3", 4)), 12);
    EXPECT_EQ(ParseInt(std::u16string_view(u"123", 2)), 12);
    EXPECT_EQ(ParseInt(std::u16string_view(u"-5", 1)), 0);
    EXPECT_EQ(ParseColor(std::u16string_view(u"FF\0" u"FFF", 6)), 0x000000FFu);
    EXPECT_EQ(ParseColor(std::u16string_view(u"FFFFFF", 2)), 0x000000FFu);
    EXPECT_FALSE(ParseBool(kPanelDialect, std::u16string_view(u"\0" u"1", 2)));
    EXPECT_FALSE(ParseBool(kPanelDialect, std::u16string_view(u"1", 0)));
    EXPECT_TRUE(ParseBool(kPanelDialect, std::u16string_view(u"y\0", 2)));
}

TEST(Values, ParseIntReadsLeadingDigitsUpToTheCutOff)
{
    EXPECT_EQ(ParseInt(u"007"), 7);
    EXPECT_EQ(ParseInt(u"-15"), -15);
    EXPECT_EQ(ParseInt(u"2147483647"), 2147483647);
    EXPECT_EQ(ParseInt(u"-2147483647"), -2147483647);
    EXPECT_EQ(ParseInt(u"12px"), 12);
    EXPECT_EQ(ParseInt(u"-"), 0);
    EXPECT_EQ(ParseInt(u""), 0);
    EXPECT_EQ(ParseInt(u"+5"), 0);
    EXPECT_EQ(ParseInt(u" 5"), 0);

    // Nine digits of 241591910 still take a tenth; the sum wraps into the sign bit.
    EXPECT_EQ(ParseInt(u"2415919109"), int32_t(2415919109u));
    EXPECT_EQ(ParseInt(u"24159191099"), int32_t(2415919109u));
    EXPECT_EQ(ParseInt(u"-2415919109"), int32_t(0u - 2415919109u));
    // One more and the tenth digit is dropped, with everything after it.
    EXPECT_EQ(ParseInt(u"2415919110"), 241591911);
    EXPECT_EQ(ParseInt(u"4294967296"), 429496729);
    EXPECT_EQ(ParseInt(u"99999999999"), 999999999);
}

TEST(Values, ParseColorTakesSixUpperCaseHexDigits)
{
    EXPECT_EQ(ParseColor(u"FF0000"), 0x000000FFu);
    EXPECT_EQ(ParseColor(u"00FF00"), 0x0000FF00u);
    EXPECT_EQ(ParseColor(u"0000FF"), 0x00FF0000u);
    EXPECT_EQ(ParseColor(u"C0C0C0"), 0x00C0C0C0u);
    EXPECT_EQ(ParseColor(u"123456"), 0x00563412u);
    EXPECT_EQ(ParseColor(u"ff0000"), 0u);
    EXPECT_EQ(ParseColor(u"FF0000FF"), 0x000000FFu);
    // '#' counts as a zero digit and moves every pair along.
    EXPECT_EQ(ParseColor(u"#FF0000"), 0x0000F00Fu);
    EXPECT_EQ(ParseColor(u"#12345"), 0x00452301u);
    EXPECT_EQ(ParseColor(u"FF"), 0x000000FFu);

    EXPECT_EQ(HexDigitValue(u'0'), 0u);
    EXPECT_EQ(HexDigitValue(u'9'), 9u);
    EXPECT_EQ(HexDigitValue(u'A'), 10u);
    EXPECT_EQ(HexDigitValue(u'F'), 15u);
    EXPECT_EQ(HexDigitValue(u'G'), 0u);
    EXPECT_EQ(HexDigitValue(u'a'), 0u);
    EXPECT_EQ(HexDigitValue(u'\xFF11'), 0u);
}

TEST(Values, ParseBoolLooksAtTheFirstUnitOnly)
{
    for (char16_t const* text : { u"1", u"y", u"yes" }) {
        EXPECT_TRUE(ParseBool(kPanelDialect, text));
        EXPECT_TRUE(ParseBool(kDaemonDialect, text));
    }
    for (char16_t const* text : { u"j", u"ja" }) {
        EXPECT_TRUE(ParseBool(kPanelDialect, text));
        EXPECT_FALSE(ParseBool(kDaemonDialect, text));
    }
    for (char16_t const* text : { u"Y", u"J", u"0", u"no", u"nein", u"true", u"", u" 1" }) {
        EXPECT_FALSE(ParseBool(kPanelDialect, text));
        EXPECT_FALSE(ParseBool(kDaemonDialect, text));
    }
}
