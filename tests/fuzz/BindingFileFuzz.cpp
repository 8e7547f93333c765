// Any bytes as the daemon's key file: brellum reads it, registers its keys and
// is pressed on a few of them, short and long, until nothing is left to happen.

#include "daemon/BrellumMain.h"
#include "platform/headless/HeadlessDevice.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

static fs::path const& Folder()
{
    static fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / ("binding-fuzz-" + std::to_string(getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    {
        std::ofstream file(Folder() / "Brellum.ini", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<char const*>(data), std::streamsize(size));
    }
    platform::DeviceSettings settings;
    settings.root = Folder().string();
    settings.until = 20000;
    platform::HeadlessDevice device(settings);
    platform::ScopedBackend installed(device);
    device.SetBoxTime(size % 3 == 0 ? 150 : 0);
    auto& windows = device.Windows();
    // Keys and how long they are held come from the last bytes of the input.
    uint64_t at = 0;
    for (size_t i = size; i >= 2 && i + 8 > size; i -= 2) {
        uint32_t key = data[i - 2];
        uint64_t held = uint64_t(data[i - 1]) * 20;
        device.Schedule(at, [&windows, key] { windows.Key(key, true); });
        device.Schedule(at + held, [&windows, key] { windows.Key(key, false); });
        at += held + 50;
    }
    device.Schedule(at + 3000, [&device] { device.TrayClick(); });
    brellum::BrellumMain(u"");
    return 0;
}
