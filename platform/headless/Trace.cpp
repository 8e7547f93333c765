#include "platform/headless/Trace.h"

#include "platform/Utf.h"

namespace platform {

void Trace::AppendJsonString(std::string& out, std::string_view utf8)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    for (char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out += "\\u00";
                out.push_back(kHex[(c >> 4) & 0xF]);
                out.push_back(kHex[c & 0xF]);
            } else {
                out.push_back(c);
            }
        }
    }
    out.push_back('"');
}

Trace::Event::Event(Trace* trace, uint64_t t, std::string_view name)
    : trace_(trace)
{
    if (!trace_)
        return;
    line_ = "{\"t\":" + std::to_string(t) + ",\"event\":";
    AppendJsonString(line_, name);
}

Trace::Event::~Event()
{
    if (!trace_)
        return;
    line_.push_back('}');
    trace_->Write(std::move(line_));
}

void Trace::Event::Key(std::string_view field)
{
    line_.push_back(',');
    AppendJsonString(line_, field);
    line_.push_back(':');
}

Trace::Event& Trace::Event::Text(std::string_view field, std::u16string_view value)
{
    if (trace_) {
        Key(field);
        AppendJsonString(line_, ToUtf8(value));
    }
    return *this;
}

Trace::Event& Trace::Event::Ascii(std::string_view field, std::string_view value)
{
    if (trace_) {
        Key(field);
        AppendJsonString(line_, value);
    }
    return *this;
}

Trace::Event& Trace::Event::Number(std::string_view field, int64_t value)
{
    if (trace_) {
        Key(field);
        line_ += std::to_string(value);
    }
    return *this;
}

Trace::Event& Trace::Event::Flag(std::string_view field, bool value)
{
    if (trace_) {
        Key(field);
        line_ += value ? "true" : "false";
    }
    return *this;
}

Trace::Event& Trace::Event::Null(std::string_view field)
{
    if (trace_) {
        Key(field);
        line_ += "null";
    }
    return *this;
}

void Trace::Write(std::string line)
{
    if (output_)
        *output_ << line << '\n' << std::flush;
    lines_.push_back(std::move(line));
}

}
