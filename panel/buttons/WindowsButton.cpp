#include "panel/buttons/WindowsButton.h"

#include "config/Values.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/SolidDrawing.h"

#include <string_view>

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

config::KeyTable<WindowsButton> const& WindowsButton::Keys()
{
    // Before the caption's Color.
    static constexpr config::Key<WindowsButton> kKeys[] = {
        { u"ColorNormal", [](WindowsButton& button, std::u16string_view value) {
             button.faceColors_[Normal] = config::ReadColor(value);
             return true;
         }, config::kMinimumColorValue },
        { u"ColorPushed", [](WindowsButton& button, std::u16string_view value) {
             button.faceColors_[Pushed] = config::ReadColor(value);
             return true;
         }, config::kMinimumColorValue },
    };
    static constexpr config::KeyTable<WindowsButton> kTable { .caption = kClassName, .keys = kKeys };
    return kTable;
}

bool WindowsButton::ReadValue(std::u16string_view line, bool report)
{
    config::KeyVerdict const verdict = Keys().Match(*this, line);
    if (verdict.kind != config::KeyVerdict::UnknownKey)
        return config::Settle(verdict, line, { config::kPanelDialect, report });
    return ImageButton::ReadValue(line, false) || caption_.ReadValue(line, true);
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
