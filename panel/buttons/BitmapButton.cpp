#include "panel/buttons/BitmapButton.h"

#include "config/Paths.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/File.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <utility>

namespace panel {

using namespace platform;

static constexpr std::u16string_view kClassName = u"BitmapButton";
static constexpr std::u16string_view kNoBitmap = u"no bitmap";
static constexpr uint32_t kNoBitmapFormat = TextFormat::Center | TextFormat::VerticalCenter | TextFormat::SingleLine;

BitmapButton::BitmapButton(WindowHandle window)
    : ImageButton(window)
{
}

BitmapButton::~BitmapButton()
{
    for (BitmapHandle bitmap : bitmaps_) {
        if (bitmap)
            DeleteObject(bitmap);
    }
}

template<ImageButton::State state>
bool BitmapButton::SetBitmapFile(BitmapButton& button, std::u16string_view value)
{
    button.SetBitmap(button.LoadBitmapFile(value), state);
    return true;
}

config::KeyTable<BitmapButton> const& BitmapButton::Keys()
{
    static constexpr config::Key<BitmapButton> kKeys[] = {
        { u"BitmapNormal", SetBitmapFile<Normal> },
        { u"BitmapPushed", SetBitmapFile<Pushed> },
    };
    static config::KeyTable<BitmapButton> const kTable { .caption = kClassName, .keys = kKeys, .base = ImageButton::Keys() };
    return kTable;
}

bool BitmapButton::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kPanelDialect, report });
}

BitmapHandle BitmapButton::LoadBitmapFile(std::u16string_view value) const
{
    char16_t path[config::kPathCapacity] = {};
    if (ResolveLayoutPath(value, path, config::kPathCapacity) == 0)
        return {};
    BitmapHandle bitmap = platform::LoadBitmapFile(std::u16string_view(path));
    if (!bitmap)
        platform::Warn(u"the bitmap file " + platform::UserPathOf(path) + u" does not exist or is no bitmap the panel reads; the button shows nothing there");
    return bitmap;
}

void BitmapButton::SetBitmap(BitmapHandle bitmap, State state)
{
    if (bitmaps_[state])
        DeleteObject(bitmaps_[state]);
    bitmaps_[state] = bitmap;
    Size size;
    if (!bitmap || !GetBitmapSize(bitmap, size))
        size = {};
    bitmapWidths_[state] = uint32_t(size.width);
    bitmapHeights_[state] = uint32_t(size.height);
}

void BitmapButton::Prepare(DeviceContext dc)
{
    if (width_ == 0 || height_ == 0) {
        width_ = int32_t(std::max(bitmapWidths_[Normal], bitmapWidths_[Pushed]));
        height_ = int32_t(std::max(bitmapHeights_[Normal], bitmapHeights_[Pushed]));
    }
    ImageButton::Prepare(dc);
}

void BitmapButton::DrawImage(ScratchBitmap& surface, int32_t x, int32_t y, State state)
{
    DeviceContext const target = surface.Dc();
    // What is left of the button beside the pushed picture's strip; a negative
    // remainder compares as a huge one and leaves the bitmap whole.
    int64_t const innerWidth = int64_t(width_) - offset_;
    int64_t const innerHeight = int64_t(height_) - offset_;

    if (BitmapHandle const bitmap = bitmaps_[state]) {
        DeviceContext const memory = CreateCompatibleDC(target);
        BitmapHandle const previous = SelectObject(memory, bitmap);
        uint32_t const copyWidth = std::min(bitmapWidths_[state], uint32_t(innerWidth));
        uint32_t const copyHeight = std::min(bitmapHeights_[state], uint32_t(innerHeight));
        BitBlt(target, x, y, int32_t(copyWidth), int32_t(copyHeight), memory, 0, 0, kSourceCopy);
        SelectObject(memory, previous);
        DeleteDC(memory);
        return;
    }

    Rect area { x, y, Rect::Saturate(x + innerWidth), Rect::Saturate(y + innerHeight) };
    DrawText(target, kNoBitmap.data(), int32_t(kNoBitmap.size()), area, kNoBitmapFormat);
    BrushHandle const previous = SelectObject(target, GetStockBrush(StockBrush::Hollow));
    Rectangle(target, area.left, area.top, area.right, area.bottom);
    SelectObject(target, previous);
}

}
