// Any bytes as a layout file: the panel window reads it, prepares and draws
// its objects, is pressed, released and refreshed, and goes again.

#include "panel/core/PanelEntry.h"
#include "panel/core/PanelWindow.h"
#include "platform/Windowing.h"
#include "platform/headless/HeadlessDevice.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

static fs::path const& Folder()
{
    static fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / ("layout-fuzz-" + std::to_string(getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    {
        std::ofstream file(Folder() / "a.ini", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<char const*>(data), std::streamsize(size));
    }
    platform::DeviceSettings settings;
    settings.root = Folder().string();
    settings.until = 2000;
    platform::HeadlessDevice device(settings);
    platform::ScopedBackend installed(device);
    panel::RegisterPanelClass();

    panel::PanelProgram program;
    platform::WindowHandle window = program.CreateLayoutWindow(u"\\a.ini");
    if (!window)
        return 0;
    panel::ShowPanel(window);
    platform::UpdateWindow(window);
    // Pen input where the data says, then the panel's own timers for a while.
    auto& windows = device.Windows();
    for (size_t i = 0; i + 1 < size && i < 8; i += 2) {
        platform::Rect rect = platform::GetWindowRect(window);
        platform::Point at { rect.left + data[i] % 64, rect.top + data[i + 1] % 64 };
        device.Schedule(i * 50, [&windows, at] {
            windows.PenDown(at);
            windows.PenUp(at);
        });
    }
    platform::Message message;
    while (platform::GetMessage(message))
        platform::DispatchMessage(message);
    if (platform::IsWindow(window))
        program.RemoveAndDestroyWindow(window);
    return 0;
}
