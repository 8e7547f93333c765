#include "panel/buttons/WindowsButton.h"

#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/SolidDrawing.h"

#include <string_view>
#include <utility>

namespace panel {

using namespace platform;

static constexpr std::u16string_view kClassName = u"WindowsButton";
static constexpr int32_t kFaceInset = 2;

WindowsButton::WindowsButton(WindowHandle window)
    : ImageButton(window)
{
    ColorRef const buttonFace = GetSysColor(SystemColor::IndexFlag | SystemColor::ButtonFace);
    faceColors_[Normal] = buttonFace;
    faceColors_[Pushed] = buttonFace;
}

bool WindowsButton::ReadValue(char16_t const* line, size_t length, bool report)
{
    // Prefixes of the line, tried in this order: before the caption's Color.
    static constexpr std::pair<std::u16string_view, State> kKeys[] = {
        { u"ColorNormal", Normal },
        { u"ColorPushed", Pushed },
    };
    for (auto const& [name, state] : kKeys) {
        if (config::CompareN(line, name.data(), name.size()) != 0)
            continue;
        char16_t const* value = config::ValueOf(line, length, config::kMinimumColorValue);
        if (value) {
            faceColors_[state] = config::ParseColor(value);
            return true;
        }
        if (report)
            config::ReportBadValue(config::kPanelDialect, kClassName, { line, length });
        return false;
    }
    if (ImageButton::ReadValue(line, length, false))
        return true;
    return caption_.ReadValue(line, length, true);
}

void WindowsButton::Draw(ScratchBitmap& surface, int32_t x, int32_t y)
{
    ImageButton::Draw(surface, x, y);
    int32_t const shift = pressed_ ? offset_ : 0;
    caption_.Draw(surface, Rect::Saturate(int64_t(x) + shift), Rect::Saturate(int64_t(y) + shift));
}

void WindowsButton::Prepare(DeviceContext)
{
    caption_.SetWidth(width_).SetHeight(height_);
}

void WindowsButton::DrawImage(ScratchBitmap& surface, int32_t x, int32_t y, State state)
{
    if (state == Pushed) {
        x = Rect::Saturate(int64_t(x) - offset_);
        y = Rect::Saturate(int64_t(y) - offset_);
    }
    DeviceContext const dc = surface.Dc();
    Rect area = Rect::FromSize(x, y, width_, height_);
    uint32_t const look = state == Pushed ? FrameControl::PushButton | FrameControl::Pushed : FrameControl::PushButton;
    DrawFrameControl(dc, area, FrameControl::Button, look);

    FillSolid(dc, area.Inset(kFaceInset), faceColors_[state]);
}

}
