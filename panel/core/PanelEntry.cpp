#include "panel/core/PanelEntry.h"

#include "config/ConfigFile.h"
#include "config/LineReader.h"
#include "config/Paths.h"
#include "config/Strings.h"
#include "panel/core/LayoutSwitch.h"
#include "panel/core/PanelMessages.h"
#include "panel/core/PanelWindow.h"
#include "panel/core/PanelWindowProcedure.h"
#include "platform/FileWatch.h"
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

std::optional<std::vector<WindowHandle>> PanelProgram::ReadSettingsFile(std::u16string_view commandLine)
{
    settingsName_ = commandLine;
    std::u16string name(commandLine.empty() ? kDefaultSettingsFile : commandLine);
    char16_t path[config::kPathCapacity] = {};
    if (config::IsAbsolutePath(name.c_str()))
        config::CopyString(name.c_str(), path, config::kPathCapacity);
    else
        config::ResolveProgramPath(config::kPanelDialect, path, config::kPathCapacity, name.c_str());
    size_t length = config::StringLength(path);
    while (length > 1 && path[length - 1] == u'"')
        path[--length] = u'\0';

    platform::File file = config::OpenConfigFile(config::kPanelDialect, { path, length }, u"Datei kann nicht gefunden werden.");
    if (!file.IsOpen())
        return std::nullopt;
    settingsFiles_ = { std::u16string(path, length) };
    std::u16string folder(path, config::FolderLength(path));
    std::vector<WindowHandle> opened;
    char16_t line[config::kSettingsLineCapacity];
    config::ForEachLine(file, line, config::kSettingsLineCapacity, [&](size_t) {
        if (line[0] == u'\0' || IsSettingsComment(line[0]))
            return;
        // Each line names a layout file relative to the settings folder, blanks and all.
        char16_t layout[config::kPathCapacity];
        size_t layoutLength = config::JoinPath(layout, config::kPathCapacity, line, folder.c_str());
        if (WindowHandle window = CreateLayoutWindow({ layout, layoutLength }))
            opened.push_back(window);
        else
            settingsFiles_.emplace_back(layout, layoutLength);
    });
    WatchSettings();
    return opened;
}

WindowHandle PanelProgram::CreateLayoutWindow(std::u16string_view layoutPath)
{
    std::u16string path(layoutPath.substr(0, config::kPathCapacity - 1));
    PanelCreation creation { path.c_str(), *this };
    WindowHandle window = CreateWindowEx(ExStyle::NoAnimation | ExStyle::ToolWindow, kClassName, u"", Style::Popup, 10, 10,
        10, 10, {}, {}, &creation);
    if (window) {
        windows_.push_back(window);
        // The first window watches the settings; later ones leave it so.
        if (windows_.size() == 1)
            WatchSettings();
    }
    return window;
}

void PanelProgram::RemoveAndDestroyWindow(WindowHandle window)
{
    auto found = std::find(windows_.begin(), windows_.end(), window);
    if (found != windows_.end())
        windows_.erase(found);
    DestroyWindow(window);
    WatchSettings();
}

void PanelProgram::WatchSettings()
{
    WindowHandle watcher = windows_.empty() ? WindowHandle {} : windows_.front();
    if (settingsWatcher_ && settingsWatcher_ != watcher && IsWindow(settingsWatcher_))
        WatchFiles(settingsWatcher_, FilesChangedMessage, kSettingsFileWatch, {});
    settingsWatcher_ = watcher;
    if (watcher)
        WatchFiles(watcher, FilesChangedMessage, kSettingsFileWatch, settingsFiles_);
}

void PanelProgram::ReloadSettings()
{
    if (reloadingSettings_) {
        settingsChangedMeanwhile_ = true;
        return;
    }
    reloadingSettings_ = true;
    do {
        settingsChangedMeanwhile_ = false;
        ReplaceWindowsFromSettings();
    } while (settingsChangedMeanwhile_);
    reloadingSettings_ = false;
}

void PanelProgram::ReplaceWindowsFromSettings()
{
    std::vector<WindowHandle> const open = windows_;
    std::u16string const name = settingsName_;
    std::optional<std::vector<WindowHandle>> opened = ReadSettingsFile(name);
    if (!opened || opened->empty())
        return;
    std::vector<uint32_t> times;
    for (WindowHandle next : *opened)
        times.push_back(OpenSwitchedWindow(next, NoAnimation));
    // The n-th window closes as long as the n-th new one opens.
    for (size_t i = 0; i < open.size(); ++i) {
        PanelWindow* old = PanelOf(open[i]);
        if (old && !old->closing)
            CloseSwitchedWindow(*old, NoAnimation, times[std::min(i, times.size() - 1)]);
    }
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
