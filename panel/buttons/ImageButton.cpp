#include "panel/buttons/ImageButton.h"

#include "config/KeySetters.h"

#include <string_view>

namespace panel {

static constexpr std::u16string_view kClassName = u"ImageButton";

ImageButton::ImageButton(platform::WindowHandle window)
    : CommandButton(window)
{
}

config::KeyTable<ImageButton> const& ImageButton::Keys()
{
    static constexpr config::Key<ImageButton> kKeys[] = {
        { u"Offset", config::SetInteger<&ImageButton::offset_> },
    };
    static config::KeyTable<ImageButton> const kTable { .caption = kClassName, .keys = kKeys, .base = CommandButton::Keys() };
    return kTable;
}

bool ImageButton::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kPanelDialect, report });
}

void ImageButton::Draw(ScratchBitmap& surface, int32_t x, int32_t y)
{
    // Offsets and positions come from the layout file and can be anything.
    if (pressed_)
        DrawImage(surface, platform::Rect::Saturate(int64_t(x) + offset_), platform::Rect::Saturate(int64_t(y) + offset_), Pushed);
    else
        DrawImage(surface, x, y, Normal);
}

void ImageButton::Prepare(platform::DeviceContext)
{
    width_ = platform::Rect::Saturate(int64_t(width_) + offset_);
    height_ = platform::Rect::Saturate(int64_t(height_) + offset_);
}

}
