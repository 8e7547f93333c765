#include "tests/support/TraceEvent.h"

#include "platform/headless/Trace.h"

#include <charconv>
#include <stdexcept>

namespace testing_support {

namespace {

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | code >> 6);
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | code >> 12);
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | code >> 18);
        out += char(0x80 | (code >> 12 & 0x3F));
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

class LineParser {
public:
    explicit LineParser(std::string_view line) : line_(line) { }

    TraceEvent Object()
    {
        std::vector<TraceField> fields;
        Expect('{');
        if (!Take('}')) {
            do {
                std::string name = String();
                Expect(':');
                fields.push_back({ std::move(name), Value() });
            } while (Take(','));
            Expect('}');
        }
        SkipBlanks();
        if (at_ != line_.size())
            Fail("text after the object");
        return TraceEvent(std::move(fields));
    }

private:
    [[noreturn]] void Fail(std::string const& why) const
    {
        throw std::invalid_argument("not a trace line (" + why + " at column " + std::to_string(at_ + 1)
            + "): " + std::string(line_));
    }

    void SkipBlanks()
    {
        while (at_ < line_.size() && (line_[at_] == ' ' || line_[at_] == '\t'))
            ++at_;
    }

    bool Take(char c)
    {
        SkipBlanks();
        if (at_ >= line_.size() || line_[at_] != c)
            return false;
        ++at_;
        return true;
    }

    void Expect(char c)
    {
        if (!Take(c))
            Fail(std::string("'") + c + "' expected");
    }

    bool TakeWord(std::string_view word)
    {
        if (line_.substr(at_, word.size()) != word)
            return false;
        at_ += word.size();
        return true;
    }

    TraceValue Value()
    {
        SkipBlanks();
        if (TakeWord("null"))
            return nullptr;
        if (TakeWord("true"))
            return true;
        if (TakeWord("false"))
            return false;
        if (at_ < line_.size() && line_[at_] == '"')
            return String();
        int64_t number = 0;
        auto [end, error] = std::from_chars(line_.data() + at_, line_.data() + line_.size(), number);
        if (error != std::errc())
            Fail("a string, an integer, true, false or null expected");
        at_ = size_t(end - line_.data());
        return number;
    }

    uint32_t Hex4()
    {
        uint32_t code = 0;
        auto [end, error] = std::from_chars(line_.data() + at_, line_.data() + std::min(at_ + 4, line_.size()), code, 16);
        if (error != std::errc() || end != line_.data() + at_ + 4)
            Fail("four hex digits expected");
        at_ += 4;
        return code;
    }

    uint32_t Escaped()
    {
        if (at_ >= line_.size())
            Fail("unfinished escape");
        switch (char c = line_[at_++]) {
        case '"': case '\\': case '/': return uint32_t(c);
        case 'b': return '\b';
        case 'f': return '\f';
        case 'n': return '\n';
        case 'r': return '\r';
        case 't': return '\t';
        case 'u': break;
        default: Fail("unknown escape");
        }
        uint32_t code = Hex4();
        if (code >= 0xD800 && code < 0xDC00 && TakeWord("\\u")) {
            uint32_t low = Hex4();
            if (low < 0xDC00 || low >= 0xE000)
                Fail("unpaired surrogate");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        return code;
    }

    std::string String()
    {
        Expect('"');
        std::string text;
        while (at_ < line_.size() && line_[at_] != '"') {
            if (line_[at_] == '\\') {
                ++at_;
                AppendUtf8(text, Escaped());
            } else {
                text += line_[at_++];
            }
        }
        Expect('"');
        return text;
    }

    std::string_view line_;
    size_t at_ = 0;
};

}

TraceEvent TraceEvent::Parse(std::string_view line)
{
    return LineParser(line).Object();
}

std::vector<TraceEvent> ParseTrace(std::vector<std::string> const& lines)
{
    std::vector<TraceEvent> events;
    events.reserve(lines.size());
    for (std::string const& line : lines)
        events.push_back(TraceEvent::Parse(line));
    return events;
}

TraceValue const* TraceEvent::Find(std::string_view name) const
{
    for (TraceField const& field : fields_) {
        if (field.name == name)
            return &field.value;
    }
    return nullptr;
}

TraceValue const& TraceEvent::At(std::string_view name) const
{
    if (TraceValue const* value = Find(name))
        return *value;
    throw std::out_of_range("no field '" + std::string(name) + "' in " + Json());
}

std::string TraceEvent::Json() const
{
    std::string line = "{";
    for (TraceField const& field : fields_) {
        if (line.size() > 1)
            line += ',';
        platform::Trace::AppendJsonString(line, field.name);
        line += ':' + JsonOf(field.value);
    }
    return line + "}";
}

std::string JsonOf(TraceValue const& value)
{
    if (std::holds_alternative<std::nullptr_t>(value))
        return "null";
    if (auto const* flag = std::get_if<bool>(&value))
        return *flag ? "true" : "false";
    if (auto const* number = std::get_if<int64_t>(&value))
        return std::to_string(*number);
    std::string text;
    platform::Trace::AppendJsonString(text, std::get<std::string>(value));
    return text;
}

void PrintTo(TraceEvent const& event, std::ostream* out)
{
    *out << event.Json();
}

}
