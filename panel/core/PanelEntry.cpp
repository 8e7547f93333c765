#include "panel/core/PanelEntry.h"

#include "config/ConfigFile.h"
#include "config/LineReader.h"
#include "config/Paths.h"
#include "config/Strings.h"
#include "panel/core/PanelWindowProcedure.h"
#include "platform/Shell.h"
#include "platform/Windowing.h"

#include <algorithm>
#include <string>
#include <vector>

namespace panel {

using namespace platform;

namespace {

constexpr std::u16string_view kClassName = u"Vessarine.Class";
constexpr std::u16string_view kDefaultSettingsFile = u"VessarineSettings.ini";

bool IsSettingsComment(char16_t first)
{
    return first == u'#' || first == u'/' || first == u';';
}

}

int32_t VessarineMain(std::u16string_view commandLine)
{
    RegisterPanelClass();
    PanelProgram program;
    program.ReadSettingsFile(commandLine);
    return program.Run();
}

bool RegisterPanelClass()
{
    WindowClass windowClass;
    windowClass.name = kClassName;
    windowClass.style = ClassStyle::VerticalRedraw | ClassStyle::HorizontalRedraw | ClassStyle::DoubleClicks;
    windowClass.procedure = PanelWindowProcedure;
    windowClass.windowExtraBytes = 4; // the PanelWindow
    return RegisterClass(windowClass);
}

void ShowPanel(WindowHandle window)
{
    ShowWindow(window, kShow);
    SetForegroundWindow(window);
}

PanelProgram::~PanelProgram()
{
    for (WindowHandle window : std::vector<WindowHandle>(windows_)) {
        if (IsWindow(window))
            DestroyWindow(window);
    }
}

void PanelProgram::ReadSettingsFile(std::u16string_view commandLine)
{
    std::u16string name(commandLine.empty() ? kDefaultSettingsFile : commandLine);
    char16_t path[config::kPathCapacity] = {};
    if (name[0] == u'\\' || name[0] == u'/')
        config::CopyString(name.c_str(), path, config::kPathCapacity);
    else
        config::ResolveProgramPath(config::kPanelDialect, path, config::kPathCapacity, name.c_str());
    size_t length = config::StringLength(path);
    while (length > 1 && path[length - 1] == u'"')
        path[--length] = u'\0';

    platform::File file = config::OpenConfigFile(config::kPanelDialect, { path, length }, u"Datei kann nicht gefunden werden.");
    if (!file.IsOpen())
        return;
    std::u16string folder(path, config::FolderLength(path));
    char16_t line[config::kSettingsLineCapacity];
    config::ForEachLine(file, line, config::kSettingsLineCapacity, [&](size_t) {
        if (line[0] == u'\0' || IsSettingsComment(line[0]))
            return;
        // Each line names a layout file relative to the settings folder, blanks and all.
        char16_t layout[config::kPathCapacity];
        size_t layoutLength = config::JoinPath(layout, config::kPathCapacity, line, folder.c_str());
        CreateLayoutWindow({ layout, layoutLength });
    });
}

WindowHandle PanelProgram::CreateLayoutWindow(std::u16string_view layoutPath)
{
    std::u16string path(layoutPath.substr(0, config::kPathCapacity - 1));
    PanelCreation creation { path.c_str(), *this };
    WindowHandle window = CreateWindowEx(ExStyle::NoAnimation | ExStyle::ToolWindow, kClassName, u"", Style::Popup, 10, 10,
        10, 10, {}, {}, &creation);
    if (window)
        windows_.push_back(window);
    return window;
}

void PanelProgram::RemoveAndDestroyWindow(WindowHandle window)
{
    auto found = std::find(windows_.begin(), windows_.end(), window);
    if (found != windows_.end())
        windows_.erase(found);
    DestroyWindow(window);
}

int32_t PanelProgram::Run()
{
    for (WindowHandle window : std::vector<WindowHandle>(windows_)) {
        ShowPanel(window);
        UpdateWindow(window);
    }
    if (windows_.empty())
        return 1;
    return RunMessageLoop();
}

}
