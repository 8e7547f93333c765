#pragma once

// One line of the simulated device's trace as a value: a JSON object whose
// fields hold strings, integers, booleans or null, kept in their order.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace testing_support {

using TraceValue = std::variant<std::nullptr_t, bool, int64_t, std::string>;

struct TraceField {
    std::string name;
    TraceValue value;

    bool operator==(TraceField const&) const = default;
};

class TraceEvent {
public:
    TraceEvent() = default;
    TraceEvent(std::initializer_list<TraceField> fields) : fields_(fields) { }
    explicit TraceEvent(std::vector<TraceField> fields) : fields_(std::move(fields)) { }

    // Throws std::invalid_argument saying where the line stops being one.
    static TraceEvent Parse(std::string_view line);

    std::vector<TraceField> const& Fields() const { return fields_; }
    // Null when the event has no such field.
    TraceValue const* Find(std::string_view name) const;
    // Throws std::out_of_range when the event has no such field.
    TraceValue const& At(std::string_view name) const;
    // The line as the trace writes it.
    std::string Json() const;

    bool operator==(TraceEvent const&) const = default;

private:
    std::vector<TraceField> fields_;
};

// Every line of a trace, in order; throws as TraceEvent::Parse does.
std::vector<TraceEvent> ParseTrace(std::vector<std::string> const& lines);

// `"text"`, `12`, `true` or `null`, as in the trace.
std::string JsonOf(TraceValue const& value);

// What gtest prints for an event: its line.
void PrintTo(TraceEvent const& event, std::ostream* out);

}
