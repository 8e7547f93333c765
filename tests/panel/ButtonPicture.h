#pragma once

// What the visible buttons' tests share: a panel window for the commands to
// report to, lines read into a button, and the trace lines the simulated
// device writes for message boxes and the shell.

#include "panel/core/DesktopObject.h"
#include "platform/Drawing.h"
#include "platform/Windowing.h"

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

inline bool ReadLine(panel::DesktopObject& object, std::u16string_view line, bool report = true)
{
    std::u16string const terminated(line);
    return object.ReadValue(terminated.c_str(), terminated.size(), report);
}

inline void PrepareOnScreen(panel::DesktopObject& object)
{
    platform::DeviceContext screen = platform::GetDC({});
    object.Prepare(screen);
    platform::ReleaseDC({}, screen);
}

inline std::string ShellLine(std::string const& file, std::string const& process)
{
    return R"({"t":0,"event":"shell","verb":"Open","file":")" + file
        + R"(","params":"","dir":"","show":5,"mask":64,"owner":true,"process":)" + process + "}";
}

inline std::string WarningLine(std::string const& caption, std::string const& text)
{
    return R"({"t":0,"event":"msgbox","caption":")" + caption + R"(","text":")" + text
        + R"(","icon":"warning","buttons":"ok","owner":false,"foreground":true,"topmost":false,"answer":"ok"})";
}

}
