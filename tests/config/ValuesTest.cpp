#include "config/Strings.h"
#include "config/Values.h"

#include <gtest/gtest.h>

#include <string>

using namespace config;

static char16_t const* Value(char16_t const* line, size_t minimum)
{
    return ValueOf(line, StringLength(line), minimum);
}

TEST(Values, ValueOfFindsTheValueAfterTheFirstEqualsSign)
{
    EXPECT_EQ(Value(u"Width=", kMinimumValue), nullptr);
    EXPECT_EQ(Value(u"Width=   ", kMinimumValue), nullptr);
    EXPECT_EQ(Value(u"Width", kMinimumValue), nullptr);
    EXPECT_EQ(std::u16string(Value(u"Width=   7", kMinimumValue)), u"7");
    EXPECT_EQ(std::u16string(Value(u"Name= a b  ", kMinimumValue)), u"a b  ");

    char16_t const* twice = Value(u"Width==5", kMinimumValue);
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(std::u16string(twice), u"=5");
    EXPECT_EQ(ParseInt(twice), 0);

    // Only the given length counts as the line.
    char16_t const* line = u"Key=Value";
    EXPECT_EQ(ValueOf(line, 3, kMinimumValue), nullptr);
    EXPECT_EQ(ValueOf(line, 4, kMinimumValue), nullptr);
    EXPECT_EQ(ValueOf(line, 5, kMinimumValue), line + 4);
}

TEST(Values, ValueOfWantsTheMinimumLengthAfterTheBlanks)
{
    EXPECT_EQ(Value(u"Color=ABCD", kMinimumColorValue), nullptr);
    EXPECT_EQ(Value(u"Color=   ABCD", kMinimumColorValue), nullptr);
    EXPECT_EQ(std::u16string(Value(u"Color=ABCDEF", kMinimumColorValue)), u"ABCDEF");
    EXPECT_EQ(std::u16string(Value(u"Color=  ABCDEF", kMinimumColorValue)), u"ABCDEF");
    EXPECT_EQ(Value(u"Command=\\a.e", 5), nullptr);
    EXPECT_EQ(std::u16string(Value(u"Command=\\a.ex", 5)), u"\\a.ex");
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
