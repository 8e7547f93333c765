#pragma once

// What the visible buttons' tests share: a panel window for the commands to
// report to, lines read into a button, and the shell starts of their commands.

#include "panel/core/DesktopObject.h"
#include "platform/Drawing.h"
#include "platform/Windowing.h"
#include "tests/support/TraceEvent.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace testing_support {

inline platform::WindowHandle MakePanelWindow()
{
    platform::WindowClass panelClass;
    panelClass.name = u"Panel.ButtonTest";
    panelClass.procedure = platform::DefWindowProc;
    platform::RegisterClass(panelClass);
    return platform::CreateWindowEx(0, u"Panel.ButtonTest", u"", platform::Style::Popup, 0, 0, 100, 50, {}, {}, nullptr);
}

inline void PrepareOnScreen(panel::DesktopObject& object)
{
    platform::DeviceContext screen = platform::GetDC({});
    object.Prepare(screen);
    platform::ReleaseDC({}, screen);
}

// The shell start of a button's command: `process` is the started process's
// number, none when nothing started.
inline TraceEvent ShellEvent(std::string file, std::string params, std::optional<int64_t> process)
{
    return { { "t", 0 }, { "event", "shell" }, { "verb", "Open" }, { "file", std::move(file) },
        { "params", std::move(params) }, { "dir", "" }, { "show", 5 }, { "mask", 64 }, { "owner", true },
        { "process", process ? TraceValue(*process) : TraceValue(nullptr) } };
}

}
