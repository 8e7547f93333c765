#pragma once

// The simulated device's record of everything a program does that a user or
// another program could notice: JSON Lines, one object per event, in order.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Trace {
public:
    // One event under construction; it is written when it goes out of scope.
    class Event {
    public:
        Event(Trace* trace, uint64_t t, std::string_view name);
        ~Event();
        Event(Event const&) = delete;
        Event& operator=(Event const&) = delete;

        Event& Text(std::string_view field, std::u16string_view value);
        Event& Ascii(std::string_view field, std::string_view value);
        Event& Number(std::string_view field, int64_t value);
        Event& Flag(std::string_view field, bool value);
        Event& Null(std::string_view field);

    private:
        void Key(std::string_view field);
        Trace* trace_;
        std::string line_;
    };

    // Lines also go to `output` as they are made (none: only kept).
    void SetOutput(std::ostream* output) { output_ = output; }
    Event Add(uint64_t t, std::string_view name) { return Event(closed_ ? nullptr : this, t, name); }
    // After the run's last line nothing more is recorded.
    void Close() { closed_ = true; }
    bool Closed() const { return closed_; }
    std::vector<std::string> const& Lines() const { return lines_; }

    static void AppendJsonString(std::string& out, std::string_view utf8);

private:
    void Write(std::string line);
    std::ostream* output_ = nullptr;
    std::vector<std::string> lines_;
    bool closed_ = false;
};

}
