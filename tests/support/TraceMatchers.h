#pragma once

// gmock matchers of trace events whose failure names each field that differs,
// with both values.

#include "tests/support/TraceEvent.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace testing_support {

// The event exactly: the same fields with the same values, in the same order.
testing::Matcher<TraceEvent const&> IsEvent(TraceEvent expected);
// The fields of `fields` with their values; other fields are not looked at.
testing::Matcher<TraceEvent const&> HasFields(TraceEvent fields);

// Every event exactly, in order, and no others.
testing::Matcher<std::vector<TraceEvent> const&> EventsAre(std::vector<TraceEvent> expected);
// As many events as `fields`, each with the fields of its place there.
testing::Matcher<std::vector<TraceEvent> const&> EventsHave(std::vector<TraceEvent> fields);

// One "name: value, expected value" line per field that differs; empty when
// none does. `exact` also wants no other fields, in the same order.
std::string EventDifference(TraceEvent const& actual, TraceEvent const& expected, bool exact);

}
