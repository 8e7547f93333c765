#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

TraceEvent const kBox { { "t", 0 }, { "event", "msgbox" }, { "caption", "Fehler" }, { "text", "a.ini" }, { "owner", false } };

template<typename Value>
std::string Explained(testing::Matcher<Value const&> const& matcher, Value const& value, bool& matched)
{
    testing::StringMatchResultListener listener;
    matched = matcher.MatchAndExplain(value, &listener);
    return listener.str();
}

}

TEST(TraceMatchers, AnEqualEventMatches)
{
    bool matched = false;
    EXPECT_EQ(Explained(IsEvent(kBox), kBox, matched), "");
    EXPECT_TRUE(matched);
}

TEST(TraceMatchers, TheDifferenceNamesEachFieldWithBothValues)
{
    TraceEvent other { { "t", 5 }, { "event", "msgbox" }, { "caption", "Fehler" }, { "owner", "no" }, { "line", 3 } };
    EXPECT_EQ(EventDifference(other, kBox, true),
        "\n  t: 5, expected 0"
        "\n  text: absent, expected \"a.ini\""
        "\n  owner: \"no\", expected false"
        "\n  line: 3, expected absent");
}

TEST(TraceMatchers, TheSameFieldsInAnotherOrderDiffer)
{
    TraceEvent swapped { { "event", "msgbox" }, { "t", 0 }, { "caption", "Fehler" }, { "text", "a.ini" }, { "owner", false } };
    EXPECT_EQ(EventDifference(swapped, kBox, true),
        "\n  the fields come in the order event, t, caption, text, owner; expected t, event, caption, text, owner");
    EXPECT_EQ(EventDifference(swapped, kBox, false), "");
}

TEST(TraceMatchers, HasFieldsLooksOnlyAtItsFields)
{
    EXPECT_THAT(kBox, HasFields({ { "text", "a.ini" }, { "owner", false } }));
    EXPECT_THAT(kBox, testing::Not(HasFields({ { "text", "b.ini" } })));
    EXPECT_THAT(kBox, testing::Not(HasFields({ { "file", "a.ini" } })));
    EXPECT_THAT(kBox, testing::Not(IsEvent({ { "text", "a.ini" } })));
}

TEST(TraceMatchersList, NamesTheEventThatDiffersAndThoseMissingOrTooMany)
{
    TraceEvent second { { "t", 0 }, { "caption", "Warnung" } };
    bool matched = true;
    EXPECT_EQ(Explained(EventsAre({ kBox, second }), std::vector<TraceEvent> { kBox, kBox, kBox }, matched),
        "\nevent 2: " + kBox.Json() + "\n  caption: \"Fehler\", expected \"Warnung\"" + "\n  event: \"msgbox\", expected absent"
            + "\n  text: \"a.ini\", expected absent\n  owner: false, expected absent"
            + "\nevent 3: not expected: " + kBox.Json());
    EXPECT_FALSE(matched);
    EXPECT_EQ(Explained(EventsHave({ kBox, second }), std::vector<TraceEvent> { kBox }, matched),
        "\nevent 2: missing: " + second.Json());
    EXPECT_FALSE(matched);
    EXPECT_THAT((std::vector<TraceEvent> { kBox, kBox }), EventsHave({ { { "text", "a.ini" } }, { { "t", 0 } } }));
    EXPECT_THAT(std::vector<TraceEvent> {}, EventsAre({}));
}
