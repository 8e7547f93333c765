#include "panel/displays/Gauge.h"

#include "panel/displays/ByteCount.h"
#include "panel/displays/CoolBar.h"
#include "platform/SolidDrawing.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace panel {

using namespace platform;

static constexpr size_t kValueCapacity = 32;
static constexpr size_t kPercentCapacity = 8;

// The formats produce digits, '.', '%', blanks and unit names only: widening byte by byte is exact.
template<size_t Capacity, typename... Args>
static void Format(char16_t (&out)[Capacity], char const* format, Args... args)
{
    char narrow[Capacity] = {};
    std::snprintf(narrow, Capacity, format, args...);
    for (size_t i = 0; i < Capacity; ++i)
        out[i] = char16_t(static_cast<unsigned char>(narrow[i]));
}

static std::string UnitOf(ByteCount const& count)
{
    return std::string(count.unit.begin(), count.unit.end());
}

static void DrawLine(GaugeRequest const& request, char16_t const* text, int32_t offset)
{
    uint32_t const format = request.flags & GaugeFlag::Centered ? TextFormat::Center
                                                                : TextFormat::SingleLine | TextFormat::NoPrefix;
    Rect line = Rect::FromSize(request.x, Rect::Saturate(int64_t(request.y) + offset), request.width, request.lineHeight);
    ColorRef const previous = SetTextColor(request.dc, request.colors.textColor);
    DrawText(request.dc, text, -1, line, format);
    SetTextColor(request.dc, previous);
}

int32_t GaugeHeight(GaugeRequest const& request)
{
    int32_t height = 0;
    if (request.flags & GaugeFlag::Label)
        height += request.lineHeight + 2;
    if (request.flags & GaugeFlag::Value)
        height += request.lineHeight + 2;
    if (request.flags & GaugeFlag::Bar)
        height += request.lineHeight;
    return height;
}

void DrawGauge(ScratchBitmap& surface, GaugeRequest const& request, BlurFilter& blur)
{
    int32_t offset = 0;
    if (request.flags & GaugeFlag::Label) {
        DrawLine(request, request.label ? request.label : u"", offset);
        offset += request.lineHeight + 2;
    }
    if (request.flags & GaugeFlag::Value) {
        ByteCount const available = FormatByteCount(request.available);
        ByteCount const total = FormatByteCount(request.total);
        char16_t text[kValueCapacity];
        Format(text, "%.02f%s / %.02f%s", double(available.number), UnitOf(available).c_str(), double(total.number),
            UnitOf(total).c_str());
        DrawLine(request, text, offset);
        offset += request.lineHeight + 2;
    }
    if (request.flags & GaugeFlag::Bar) {
        uint32_t const fraction = FillFraction(request.available, request.total);
        if (request.flags & GaugeFlag::Cool)
            DrawCoolBar(surface, request, offset, fraction, blur);
        else
            DrawPlainBar(request, offset, fraction);
    }
}

void DrawPlainBar(GaugeRequest const& request, int32_t offset, uint32_t fraction)
{
    DeviceContext dc = request.dc;
    uint8_t const percent = uint8_t((fraction * 100) / 1024);
    Rect const bar = Rect::FromSize(request.x, Rect::Saturate(int64_t(request.y) + offset), request.width,
        request.lineHeight);
    // More available than the total (a device can report that) still fills only the bar.
    int64_t const fillWidth = (int64_t(request.width) * std::min(fraction, 1024u)) / 1024;
    Rect const fill { bar.left, bar.top, Rect::Saturate(bar.left + fillWidth), bar.bottom };
    FillSolid(dc, fill, percent > 25 ? request.colors.backgroundColorHigh : request.colors.backgroundColorLow);
    OutlineRect(dc, bar, request.colors.borderColor);

    if (request.flags & GaugeFlag::Percent) {
        char16_t text[kPercentCapacity];
        Format(text, "%u%%", unsigned(percent));
        Rect area = bar;
        ColorRef const previousColor = SetTextColor(dc, request.colors.textColor);
        DrawText(dc, text, -1, area,
            TextFormat::Center | TextFormat::VerticalCenter | TextFormat::SingleLine | TextFormat::NoPrefix);
        SetTextColor(dc, previousColor);
    }
}

void DrawCoolBar(ScratchBitmap& surface, GaugeRequest const& request, int32_t offset, uint32_t fraction, BlurFilter& blur)
{
    Rect const bar = Rect::FromSize(request.x, Rect::Saturate(int64_t(request.y) + offset), request.width,
        request.lineHeight);
    Rect const inside { bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1 };
    blur.Apply(surface, inside, TintedBlur(request.colors.blurColor, 1, 2));

    // Only its glow shows in the end: the bar's own outline covers this ring.
    OutlineRect(request.dc, bar, request.colors.lightColor);
    blur.Apply(surface, bar, PlainBlur(3));

    char16_t text[kPercentCapacity] = {};
    if (request.flags & GaugeFlag::Percent)
        // A fraction is below 2^22 (its parts are scaled below that): at most "409600%".
        Format(text, "%u%%", unsigned((std::min(fraction, 1u << 22) * 100) / 1024));
    CoolBarRequest cool;
    cool.leftColor = request.colors.backgroundColorLow;
    cool.centerColor = request.colors.backgroundColorCenter;
    cool.rightColor = request.colors.backgroundColorHigh;
    cool.borderColor = request.colors.borderColor;
    cool.x = bar.left;
    cool.y = bar.top;
    cool.width = request.width;
    cool.height = request.lineHeight;
    cool.stripeSpacing = 10;
    cool.fraction = fraction;
    cool.text = text;
    RenderCoolBar(surface, cool);
}

}
