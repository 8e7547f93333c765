#include "tests/support/TraceMatchers.h"

namespace testing_support {

namespace {

std::string Names(TraceEvent const& event)
{
    std::string names;
    for (TraceField const& field : event.Fields())
        names += (names.empty() ? "" : ", ") + field.name;
    return names;
}

std::string FieldDifferences(TraceEvent const& actual, TraceEvent const& expected, bool exact)
{
    std::string differences;
    for (TraceField const& wanted : expected.Fields()) {
        TraceValue const* found = actual.Find(wanted.name);
        if (!found)
            differences += "\n  " + wanted.name + ": absent, expected " + JsonOf(wanted.value);
        else if (*found != wanted.value)
            differences += "\n  " + wanted.name + ": " + JsonOf(*found) + ", expected " + JsonOf(wanted.value);
    }
    for (TraceField const& field : exact ? actual.Fields() : std::vector<TraceField> {}) {
        if (!expected.Find(field.name))
            differences += "\n  " + field.name + ": " + JsonOf(field.value) + ", expected absent";
    }
    return differences;
}

class EventMatcher : public testing::MatcherInterface<TraceEvent const&> {
public:
    EventMatcher(TraceEvent expected, bool exact) : expected_(std::move(expected)), exact_(exact) { }

    bool MatchAndExplain(TraceEvent const& actual, testing::MatchResultListener* listener) const override
    {
        std::string difference = EventDifference(actual, expected_, exact_);
        *listener << difference;
        return difference.empty();
    }

    void DescribeTo(std::ostream* out) const override
    {
        *out << (exact_ ? "is the event " : "has the fields ") << expected_.Json();
    }

private:
    TraceEvent expected_;
    bool exact_;
};

class EventListMatcher : public testing::MatcherInterface<std::vector<TraceEvent> const&> {
public:
    EventListMatcher(std::vector<TraceEvent> expected, bool exact) : expected_(std::move(expected)), exact_(exact) { }

    bool MatchAndExplain(std::vector<TraceEvent> const& actual, testing::MatchResultListener* listener) const override
    {
        std::string explanation;
        for (size_t i = 0; i < std::max(actual.size(), expected_.size()); ++i) {
            std::string place = "\nevent " + std::to_string(i + 1) + ": ";
            if (i >= expected_.size())
                explanation += place + "not expected: " + actual[i].Json();
            else if (i >= actual.size())
                explanation += place + "missing: " + expected_[i].Json();
            else if (std::string difference = EventDifference(actual[i], expected_[i], exact_); !difference.empty())
                explanation += place + actual[i].Json() + difference;
        }
        *listener << explanation;
        return explanation.empty();
    }

    void DescribeTo(std::ostream* out) const override
    {
        *out << (exact_ ? "are these events, in order:" : "have, in order, the fields of:");
        for (TraceEvent const& event : expected_)
            *out << "\n  " << event.Json();
    }

private:
    std::vector<TraceEvent> expected_;
    bool exact_;
};

}

std::string EventDifference(TraceEvent const& actual, TraceEvent const& expected, bool exact)
{
    std::string differences = FieldDifferences(actual, expected, exact);
    if (differences.empty() && exact && actual != expected)
        differences = "\n  the fields come in the order " + Names(actual) + "; expected " + Names(expected);
    return differences;
}

testing::Matcher<TraceEvent const&> IsEvent(TraceEvent expected)
{
    return testing::MakeMatcher(new EventMatcher(std::move(expected), true));
}

testing::Matcher<TraceEvent const&> HasFields(TraceEvent fields)
{
    return testing::MakeMatcher(new EventMatcher(std::move(fields), false));
}

testing::Matcher<std::vector<TraceEvent> const&> EventsAre(std::vector<TraceEvent> expected)
{
    return testing::MakeMatcher(new EventListMatcher(std::move(expected), true));
}

testing::Matcher<std::vector<TraceEvent> const&> EventsHave(std::vector<TraceEvent> fields)
{
    return testing::MakeMatcher(new EventListMatcher(std::move(fields), false));
}

}
