#include "panel/displays/ClockText.h"

#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"

namespace panel {

// What the platform formats into, terminator included.
static constexpr int32_t kFormattedCapacity = 32;

ClockText::ClockText(std::u16string_view className, FormatCall format, uint32_t interval)
    : className_(className)
    , formatCall_(format)
{
    interval_ = interval;
}

bool ClockText::ReadValue(char16_t const* line, size_t length, bool report)
{
    bool const isFormat = config::CompareN(line, u"Format", 6) == 0;
    if (!isFormat && config::CompareN(line, u"Interval", 8) != 0)
        return Text::ReadValue(line, length, report);
    char16_t const* value = config::ValueOf(line, length, config::kMinimumValue);
    if (!value) {
        if (report)
            config::ReportBadValue(config::kPanelDialect, className_, { line, length });
        return false;
    }
    if (isFormat)
        format_.emplace(value, size_t(line + length - value));
    else
        interval_ = uint32_t(config::ParseInt(value));
    return true;
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
