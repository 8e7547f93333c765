#include "config/KeySetters.h"
#include "config/KeyTable.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace config;
using testing_support::BoxEvent;
using testing_support::EventsAre;
using testing_support::TestDevice;

namespace {

// A small family of readers: a base with a chain end, a part read first, and
// a derived reader that chains to the base.
struct Base {
    int32_t width = 0;
    std::u16string seen;
};

struct Derived : Base {
    int32_t count = 0;
    std::u16string text;
    bool flag = false;
    int32_t refusals = 0;
};

constexpr Key<Base> kBaseKeys[] = {
    { u"Width", SetInteger<&Base::width> },
    { u"x", [](Base& base, std::u16string_view) { base.seen += u"x"; return true; } },
};
constexpr KeyTable<Base> kBaseTable { .caption = u"Base", .keys = kBaseKeys };

constexpr Key<Base> kPartKeys[] = {
    { u"Part", [](Base& base, std::u16string_view value) { base.seen += value; return true; }, 2 },
};
constexpr KeyTable<Base> kPartTable { .caption = {}, .keys = kPartKeys };

constexpr Key<Derived> kDerivedKeys[] = {
    { u"CountLong", SetInteger<&Derived::count> },
    { u"Count", [](Derived& derived, std::u16string_view value) { derived.count = -ParseInt(value); return true; } },
    { u"Text", SetText<&Derived::text> },
    { u"Flag", SetBoolean<&Derived::flag, kPanelDialect> },
    { u"Bare", [](Derived& derived, std::u16string_view value) { derived.text = value; return true; }, 0 },
    { u"Picky", [](Derived& derived, std::u16string_view) { ++derived.refusals; return false; } },
    { u"Quiet", [](Derived&, std::u16string_view value) { return value == u"ok"; }, kMinimumValue, true },
};

KeyTable<Derived> const kDerivedTable {
    .caption = u"Derived", .first = kPartTable, .keys = kDerivedKeys, .base = kBaseTable
};

testing_support::TraceEvent Warning(std::string const& caption, std::string const& line)
{
    return BoxEvent(caption, line, "warning", true);
}

}

TEST(KeyTable, ALineBelongsToTheFirstKeyItBeginsWith)
{
    Derived derived;
    EXPECT_TRUE(kDerivedTable.Read(derived, u"CountLong=5", { kPanelDialect }));
    EXPECT_EQ(derived.count, 5);
    EXPECT_TRUE(kDerivedTable.Read(derived, u"Count=5", { kPanelDialect }));
    EXPECT_EQ(derived.count, -5);
    EXPECT_TRUE(kDerivedTable.Read(derived, u"Counter=7", { kPanelDialect }));
    EXPECT_EQ(derived.count, -7);
    // The part is read before the own keys, the base after them.
    EXPECT_TRUE(kDerivedTable.Read(derived, u"Part=ab", { kPanelDialect }));
    EXPECT_TRUE(kDerivedTable.Read(derived, u"xpos=1", { kPanelDialect }));
    EXPECT_TRUE(kDerivedTable.Read(derived, u"Width=30", { kPanelDialect }));
    EXPECT_EQ(derived.seen, u"abx");
    EXPECT_EQ(derived.width, 30);
    EXPECT_EQ(kDerivedTable.Names(), (std::vector<std::u16string_view> {
        u"Part", u"CountLong", u"Count", u"Text", u"Flag", u"Bare", u"Picky", u"Quiet", u"Width", u"x" }));
}

TEST(KeyTable, TheValueRunsFromAfterTheBlanksToTheEndOfTheLine)
{
    Derived derived;
    std::u16string_view const withNul(u"Text=  a\0b ", 11);
    EXPECT_TRUE(kDerivedTable.Read(derived, withNul, { kPanelDialect }));
    EXPECT_EQ(derived.text, std::u16string_view(u"a\0b ", 4));
    EXPECT_TRUE(kDerivedTable.Read(derived, u"Flag=ja", { kPanelDialect }));
    EXPECT_TRUE(derived.flag);
    EXPECT_TRUE(kDerivedTable.Read(derived, u"Flag=ja", { kDaemonDialect }));
    EXPECT_TRUE(derived.flag);
    // A key that reads no value is given an empty one, whatever follows it.
    EXPECT_TRUE(kDerivedTable.Read(derived, u"Bare=ignored", { kPanelDialect }));
    EXPECT_EQ(derived.text, u"");
    derived.text = u"t";
    EXPECT_TRUE(kDerivedTable.Read(derived, u"Bare", { kPanelDialect }));
    EXPECT_EQ(derived.text, u"");
}

TEST(KeyTable, WhatIsNotTakenIsReportedUnderTheCaptionOfItsTable)
{
    TestDevice device;
    Derived derived;
    EXPECT_FALSE(kDerivedTable.Read(derived, u"Count=", { kPanelDialect }));
    EXPECT_FALSE(kDerivedTable.Read(derived, u"Part=a", { kPanelDialect }));
    EXPECT_FALSE(kDerivedTable.Read(derived, u"Width=  ", { kPanelDialect }));
    EXPECT_FALSE(kDerivedTable.Read(derived, u"Picky=1", { kPanelDialect }));
    EXPECT_FALSE(kDerivedTable.Read(derived, u"Colour=1", { kPanelDialect }));
    EXPECT_FALSE(kDerivedTable.Read(derived, u"Colour=1", { kPanelDialect, false }));
    EXPECT_FALSE(kDerivedTable.Read(derived, u"Count=", { kPanelDialect, false }));
    // A quiet key refuses without a word.
    EXPECT_FALSE(kDerivedTable.Read(derived, u"Quiet=no", { kPanelDialect }));
    EXPECT_FALSE(kDerivedTable.Read(derived, u"Quiet=", { kPanelDialect }));
    EXPECT_TRUE(kDerivedTable.Read(derived, u"Quiet=ok", { kPanelDialect }));
    EXPECT_EQ(derived.refusals, 1);
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsAre({
        Warning("Derived - Ignoriere Fehler:", "Count="),
        Warning("Derived - Ignoriere Fehler:", "Part=a"),
        Warning("Base - Ignoriere Fehler:", "Width=  "),
        Warning("Derived - Ignoriere Fehler:", "Picky=1"),
        Warning("Base - Ignoriere unbekannten Wert:", "Colour=1"),
    }));
}

TEST(KeyTable, ATableWithoutCaptionReportsUnderTheReadingsAndAChainEndCanNameItsOwn)
{
    TestDevice device;
    constexpr KeyTable<Base> kAnonymous { .caption = {}, .keys = kBaseKeys, .unknownCaption = u"Unknown" };
    Base base;
    EXPECT_FALSE(kAnonymous.Read(base, u"Width=", { kDaemonDialect, true, u"Reader" }));
    EXPECT_FALSE(kAnonymous.Read(base, u"Height=1", { kDaemonDialect, true, u"Reader" }));
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsAre({
        BoxEvent("Reader - Ignoriere Fehler:", "Width=", "warning", false),
        BoxEvent("Unknown - Ignoriere unbekannten Wert:", "Height=1", "warning", false),
    }));
}

TEST(KeyTable, SettleReportsAVerdictOnce)
{
    TestDevice device;
    KeyReading const reading { kPanelDialect, true, u"Reader" };
    EXPECT_TRUE(Settle({ KeyVerdict::Taken, u"A" }, u"a=1", reading));
    EXPECT_FALSE(Settle({ KeyVerdict::Ignored, u"A" }, u"a=2", reading));
    EXPECT_FALSE(Settle({ KeyVerdict::BadValue, u"A" }, u"a=3", reading));
    EXPECT_FALSE(Settle({ KeyVerdict::UnknownKey, {} }, u"a=4", reading));
    EXPECT_FALSE(Settle({ KeyVerdict::BadValue, u"A" }, u"a=5", { kPanelDialect, false }));
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsAre({
        Warning("A - Ignoriere Fehler:", "a=3"),
        Warning("Reader - Ignoriere unbekannten Wert:", "a=4"),
    }));
}
