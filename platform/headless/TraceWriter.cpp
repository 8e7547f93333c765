#include "platform/headless/TraceWriter.h"

#include "platform/MessageBox.h"

namespace platform {

namespace {

char const* IconName(uint32_t flags)
{
    switch (flags & Box::IconMask) {
    case Box::IconError: return "error";
    case Box::IconQuestion: return "question";
    case Box::IconWarning: return "warning";
    case Box::IconInformation: return "information";
    default: return "none";
    }
}

char const* ButtonsName(uint32_t flags)
{
    switch (flags & Box::ButtonMask) {
    case Box::OkCancel: return "okcancel";
    case Box::AbortRetryIgnore: return "abortretryignore";
    case Box::YesNoCancel: return "yesnocancel";
    case Box::YesNo: return "yesno";
    case Box::RetryCancel: return "retrycancel";
    default: return "ok";
    }
}

char const* AnswerName(BoxAnswer answer)
{
    static constexpr char const* kNames[] = { "ok", "cancel", "abort", "retry", "ignore", "yes", "no" };
    return kNames[int(answer)];
}

}

TraceWriter::TraceWriter(Trace& trace, VirtualClock const& clock, WindowSystem& windows)
    : trace_(trace)
    , clock_(clock)
    , windows_(windows)
{
    windows_.SetEvents(this);
}

TraceWriter::~TraceWriter()
{
    windows_.SetEvents(nullptr);
}

void TraceWriter::Start(std::string_view program, std::u16string_view commandLine)
{
    Add("start").Ascii("program", program).Text("cmdline", commandLine);
}

void TraceWriter::Exit(int32_t exitCode)
{
    Add("exit").Number("code", exitCode);
    trace_.Close();
}

void TraceWriter::End()
{
    Add("end");
    trace_.Close();
}

void TraceWriter::MessageBox(std::u16string_view caption, std::u16string_view text, uint32_t flags, bool owned, BoxAnswer answer,
    SourcePlace const* place)
{
    auto event = Add("msgbox");
    event.Text("caption", caption)
        .Text("text", text)
        .Ascii("icon", IconName(flags))
        .Ascii("buttons", ButtonsName(flags))
        .Flag("owner", owned)
        .Flag("foreground", (flags & Box::SetForeground) != 0)
        .Flag("topmost", (flags & Box::TopMost) != 0)
        .Ascii("answer", AnswerName(answer));
    if (place && place->line > 0)
        event.Text("file", place->file).Number("line", place->line);
}

void TraceWriter::Tray(std::string_view action, IconHandle icon, bool ok)
{
    auto event = Add("tray");
    event.Ascii("action", action);
    if (icon)
        event.Number("icon", icon.value);
    else
        event.Null("icon");
    event.Flag("ok", ok);
}

void TraceWriter::SynthesizedKey(uint8_t virtualKey, uint32_t flags)
{
    Add("keybd").Number("vk", virtualKey).Number("flags", flags);
}

void TraceWriter::HotKeyChanged(bool registered, int32_t id, uint32_t virtualKey, bool ok)
{
    Add("hotkey").Ascii("action", registered ? "register" : "unregister").Number("id", id).Number("vk", virtualKey).Flag("ok", ok);
}

// A window's rectangle, as create and move lines end.
static void WriteRect(Trace::Event& event, Rect const& rect)
{
    event.Number("x", rect.left).Number("y", rect.top).Number("w", rect.Width()).Number("h", rect.Height());
}

void TraceWriter::Created(Window const& window)
{
    Trace::Event event = Add("window");
    event.Ascii("action", "create")
        .Number("id", window.handle.value)
        .Text("class", window.windowClass->name)
        .Text("title", window.title);
    WriteRect(event, window.rect);
}

void TraceWriter::Moved(Window const& window)
{
    Trace::Event event = Add("window");
    event.Ascii("action", "move").Number("id", window.handle.value);
    WriteRect(event, window.rect);
}

void TraceWriter::TitleChanged(Window const& window)
{
    Add("window").Ascii("action", "title").Number("id", window.handle.value).Text("title", window.title);
}

void TraceWriter::WindowAction(Window const& window, std::string_view action)
{
    Add("window").Ascii("action", action).Number("id", window.handle.value);
}

void TraceWriter::Shown(Window const& window) { WindowAction(window, "show"); }
void TraceWriter::Hidden(Window const& window) { WindowAction(window, "hide"); }
void TraceWriter::BecameTopMost(Window const& window) { WindowAction(window, "topmost"); }
void TraceWriter::Destroyed(Window const& window) { WindowAction(window, "destroy"); }

}
