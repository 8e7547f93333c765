#include "panel/buttons/ImageButton.h"

#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"

#include <string_view>

namespace panel {

static constexpr std::u16string_view kClassName = u"ImageButton";
static constexpr std::u16string_view kOffsetKey = u"Offset";

ImageButton::ImageButton(platform::WindowHandle window)
    : CommandButton(window)
{
}

bool ImageButton::ReadValue(char16_t const* line, size_t length, bool report)
{
    if (config::CompareN(line, kOffsetKey.data(), kOffsetKey.size()) != 0)
        return CommandButton::ReadValue(line, length, report);
    char16_t const* value = config::ValueOf(line, length, config::kMinimumValue);
    if (value) {
        offset_ = config::ParseInt(value);
        return true;
    }
    if (report)
        config::ReportBadValue(config::kPanelDialect, kClassName, { line, length });
    return false;
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
