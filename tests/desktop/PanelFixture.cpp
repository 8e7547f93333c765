#include "tests/desktop/PanelFixture.h"

namespace desktop_tests {

using namespace std::chrono_literals;

platform::DeviceSettings PanelFixture::Until(uint64_t until)
{
    platform::DeviceSettings settings;
    settings.until = until;
    return settings;
}

std::unique_ptr<ChildProcess> PanelFixture::StartPanel(ProgramStart start)
{
    start.arguments.push_back(device.Root() + "/VessarineSettings.ini");
    return StartProgram(VESSARINE_PATH, start);
}

XId PanelFixture::WaitForWindowAt(Geometry where, std::chrono::milliseconds timeout)
{
    return x.WaitForWindow("vessarine", [&](XId window) { return x.GeometryOf(window) == where; }, timeout);
}

XId PanelFixture::WaitForTitle(std::string const& title, std::chrono::milliseconds timeout)
{
    return x.WaitForWindow("vessarine", [&](XId window) { return x.TitleOf(window) == title; }, timeout);
}

uint32_t PanelFixture::PixelAt(int x0, int y0)
{
    return x.Capture({ x0, y0, 1, 1 }).at(0);
}

void PanelFixture::Click(Geometry window, int x0, int y0, int count)
{
    x.Xdotool({ "mousemove", std::to_string(window.x + x0), std::to_string(window.y + y0), "click", "--repeat",
        std::to_string(count), "--delay", "60", "1" });
}

bool PanelFixture::TapUntil(Geometry window, int x0, int y0, int count, std::function<bool()> const& answered)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        Click(window, x0, y0, count);
        if (XvfbSession::WaitUntil(answered, 1500ms))
            return true;
    }
    return false;
}

}
