#include "tests/desktop/SimulatedScreen.h"

#include "panel/core/PanelEntry.h"
#include "platform/Windowing.h"
#include "platform/dialog/BoxWindow.h"
#include "tests/support/PictureCompare.h"

namespace desktop_tests {

using testing_support::TestDevice;

namespace {

std::vector<uint32_t> PictureOf(platform::WindowSystem& windows, platform::WindowHandle window, Geometry& where)
{
    platform::Surface const& picture = *windows.PictureOf(window);
    platform::Rect rect = windows.Find(window)->rect;
    where = { rect.left, rect.top, rect.Width(), rect.Height() };
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < picture.Height(); ++y) {
        for (int32_t x = 0; x < picture.Width(); ++x)
            pixels.push_back(picture.Row(y)[x] & 0xFFFFFF);
    }
    return pixels;
}

}

std::vector<uint32_t> SimulatedPicture(TestDevice& device, Geometry& where)
{
    std::vector<uint32_t> pixels;
    device.Device().Schedule(1500, [&] {
        platform::WindowSystem& windows = device.Device().Windows();
        pixels = PictureOf(windows, windows.Windows().front(), where);
    });
    panel::VessarineMain(u"\\VessarineSettings.ini");
    return pixels;
}

std::vector<uint32_t> DrawnBox(std::u16string const& text, std::u16string const& caption, uint32_t flags, Geometry& where)
{
    platform::DeviceSettings settings;
    settings.screenWidth = XvfbSession::kWidth;
    settings.screenHeight = XvfbSession::kHeight;
    settings.until = 2000;
    TestDevice device(settings);
    platform::WindowSystem& windows = device.Device().Windows();
    std::vector<uint32_t> pixels;
    device.Device().Schedule(100, [&] {
        platform::RunBoxWindow({}, text, caption, flags);
        platform::PostQuitMessage(0);
    });
    device.Device().Schedule(500, [&] {
        pixels = PictureOf(windows, windows.ZOrder().front(), where);
        windows.Key(0x0D, true);
        windows.Key(0x0D, false);
    });
    platform::RunMessageLoop();
    return pixels;
}

testing::AssertionResult ShowsTheDrawnBox(XvfbSession& x, XId box, std::u16string const& text,
    std::u16string const& caption, uint32_t flags)
{
    Geometry expectedPlace;
    std::vector<uint32_t> expected = DrawnBox(text, caption, flags, expectedPlace);
    Geometry place = x.GeometryOf(box);
    if (!(place == expectedPlace))
        return testing::AssertionFailure() << "the box stands at " << place.x << "," << place.y << " " << place.width
                                           << "x" << place.height << ", drawn at " << expectedPlace.x << ","
                                           << expectedPlace.y << " " << expectedPlace.width << "x" << expectedPlace.height;
    std::vector<uint32_t> shown;
    if (XvfbSession::WaitUntil([&] { return (shown = x.Capture(place)) == expected; }, std::chrono::seconds(3)))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << testing_support::PictureDifference(
               { place.width, place.height, shown }, { place.width, place.height, expected });
}

}
