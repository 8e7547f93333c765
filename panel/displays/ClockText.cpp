#include "panel/displays/ClockText.h"

#include "config/KeySetters.h"

namespace panel {

// What the platform formats into, terminator included.
static constexpr int32_t kFormattedCapacity = 32;

ClockText::ClockText(std::u16string_view className, FormatCall format, uint32_t interval)
    : className_(className)
    , formatCall_(format)
{
    interval_ = interval;
}

config::KeyTable<ClockText> const& ClockText::Keys()
{
    static constexpr config::Key<ClockText> kKeys[] = {
        { u"Format", config::SetText<&ClockText::format_> },
        { u"Interval", config::SetInteger<&ClockText::interval_> },
    };
    static config::KeyTable<ClockText> const kTable { .caption = {}, .keys = kKeys, .base = Text::Keys() };
    return kTable;
}

bool ClockText::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kPanelDialect, report, className_ });
}

void ClockText::UpdateText()
{
    char16_t formatted[kFormattedCapacity];
    int32_t const count = formatCall_(platform::kUserDefaultLocale, 0, nullptr, format_ ? format_->c_str() : nullptr,
        formatted, kFormattedCapacity);
    if (count > 0 && count <= kFormattedCapacity)
        SetText(formatted, size_t(count - 1));
}

void ClockText::Draw(ScratchBitmap& surface, int32_t x, int32_t y)
{
    UpdateText();
    Text::Draw(surface, x, y);
}

void ClockText::Prepare(platform::DeviceContext dc)
{
    UpdateText();
    Text::Prepare(dc);
}

}
