#include "tests/support/TraceEvent.h"

#include "platform/headless/Trace.h"

#include <gtest/gtest.h>

#include <stdexcept>

using testing_support::TraceEvent;
using testing_support::TraceValue;

TEST(TraceEvent, ReadsEveryKindOfValueInOrder)
{
    TraceEvent event = TraceEvent::Parse(
        R"({"t":12,"event":"shell","file":"\\a.exe","owner":false,"ok":true,"process":null,"code":-1})");
    EXPECT_EQ(event, (TraceEvent { { "t", 12 }, { "event", "shell" }, { "file", "\\a.exe" }, { "owner", false },
                         { "ok", true }, { "process", nullptr }, { "code", -1 } }));
    ASSERT_NE(event.Find("file"), nullptr);
    EXPECT_EQ(*event.Find("file"), TraceValue(std::string("\\a.exe")));
    EXPECT_EQ(event.Find("caption"), nullptr);
}

TEST(TraceEvent, DecodesEscapes)
{
    TraceEvent event = TraceEvent::Parse(R"({"text":"a\"b\\c\nd\re\tf\/g\u0001\u00e9\ud83d\ude00"})");
    EXPECT_EQ(event, (TraceEvent { { "text", "a\"b\\c\nd\re\tf/g\x01\xC3\xA9\xF0\x9F\x98\x80" } }));
}

TEST(TraceEvent, WritesTheLineTheDeviceWrote)
{
    platform::Trace trace;
    trace.Add(3, "msgbox").Text("caption", u"Fehler \"x\"").Text("text", u"\\a\r\n\x01ü").Flag("owner", true).Null("icon");
    ASSERT_EQ(trace.Lines().size(), 1u);
    EXPECT_EQ(TraceEvent::Parse(trace.Lines()[0]).Json(), trace.Lines()[0]);
}

TEST(TraceEvent, BlanksBetweenTokensAreAllowed)
{
    EXPECT_EQ(TraceEvent::Parse(R"( { "t" : 1 , "ok" : true } )"), (TraceEvent { { "t", 1 }, { "ok", true } }));
    EXPECT_EQ(TraceEvent::Parse("{}"), TraceEvent {});
}

TEST(TraceEvent, RefusesWhatIsNoTraceLine)
{
    for (char const* line : { "", "[]", R"({"t":1)", R"({"t":1}x)", R"({"t":1.5})", R"({"t":yes})", R"({"t":"a)",
             R"({"t":"\x"})", R"({"t":"\u12"})", R"({"t":"\ud800\u0041"})", R"({t:1})", R"({"t":1,})" }) {
        EXPECT_THROW(TraceEvent::Parse(line), std::invalid_argument) << line;
    }
}

TEST(TraceEvent, TheRefusalSaysWhere)
{
    try {
        TraceEvent::Parse(R"({"t":1}x)");
        FAIL() << "no exception";
    } catch (std::invalid_argument const& error) {
        EXPECT_STREQ(error.what(), R"(not a trace line (text after the object at column 8): {"t":1}x)");
    }
}
