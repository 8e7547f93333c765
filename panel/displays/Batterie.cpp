#include "panel/displays/Batterie.h"

#include "config/KeySetters.h"
#include "config/Reports.h"
#include "config/Values.h"
#include "panel/displays/GradientBlend.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/Drawing.h"
#include "platform/MessageBox.h"
#include "platform/SolidDrawing.h"
#include "platform/draw/PixelColor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace panel {

using namespace platform;

static constexpr std::u16string_view kClassName = u"Batterie";
static constexpr char kPowerStatusName[] = "GetSystemPowerStatusEx2";
static constexpr uint8_t kCharging = 8;
static constexpr uint8_t kOnExternalPower = 1;
// The Test box's text, printed into a buffer of this many characters.
static constexpr size_t kTestTextCapacity = 384;

Batterie::Batterie()
{
    interval_ = 600000;
    LibraryHandle library = LoadLibrary(u"coredll.dll");
    if (!library) {
        config::ReportError(config::kPanelDialect, u"LoadLibrary - \"coredll.dll\"");
        return;
    }
    void* address = GetProcAddress(library, kPowerStatusName);
    FreeLibrary(library);
    if (!address) {
        config::ReportError(config::kPanelDialect, u"GetProcAddress - \"GetSystemPowerStatusEx2\"");
        return;
    }
    // An export's address is a function's; copying it says so without a cast across pointer kinds.
    std::memcpy(&powerStatusQuery_, &address, sizeof powerStatusQuery_);
}

config::KeyTable<Batterie> const& Batterie::Keys()
{
    using config::kMinimumColorValue;
    using config::SetColor;
    static constexpr config::Key<Batterie> kKeys[] = {
        { u"ColorBattery", SetColor<&Batterie::colorBattery_>, kMinimumColorValue },
        { u"ColorCritical", SetColor<&Batterie::colorCritical_>, kMinimumColorValue },
        { u"ColorLow", SetColor<&Batterie::colorLow_>, kMinimumColorValue },
        { u"ColorHigh", SetColor<&Batterie::colorHigh_>, kMinimumColorValue },
        { u"ColorArrow", SetColor<&Batterie::colorArrow_>, kMinimumColorValue },
        { u"Segments", config::SetInteger<&Batterie::segments_> },
        { u"CoolBattery", config::SetBoolean<&Batterie::coolBattery_, config::kPanelDialect> },
        { u"Test", [](Batterie& battery, std::u16string_view value) {
             if (config::ParseBool(config::kPanelDialect, value) && battery.powerStatusQuery_)
                 battery.ShowPowerStatus();
             return true;
         } },
    };
    static config::KeyTable<Batterie> const kTable { .caption = kClassName, .keys = kKeys, .base = DesktopObject::RefreshedKeys() };
    return kTable;
}

bool Batterie::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kPanelDialect, report });
}

void Batterie::ShowPowerStatus()
{
    uint32_t const flags = Box::Ok | Box::IconInformation | config::kPanelDialect.boxPlacement;
    SystemPowerStatusEx2 status;
    if (powerStatusQuery_(&status, sizeof status, 1) == 0) {
        MessageBox({}, u"GetSystemPowerStatusEx2", u"Fehler", flags);
        return;
    }
    // The longest possible text (every number at its widest) takes 367 characters.
    char text[kTestTextCapacity];
    int const written = std::snprintf(text, sizeof text,
        "ACLineStatus: %d\nBatteryFlag: %d\nBatteryLifePercent: %d\nBatteryLifeTime: %d\n"
        "BatteryFullLifeTime: %d\nBackupBatteryFlag:%d\nBackupBatteryLifePercent: %d\n"
        "BackupBatteryLifeTime: %d\nBackupBatteryFullLifeTime: %d\nBatteryVoltage: %u\n"
        "BatteryCurrent: %d\nBatteryTemperature: %d\nBackupBatteryVoltage: %d",
        status.ACLineStatus, status.BatteryFlag, status.BatteryLifePercent, int32_t(status.BatteryLifeTime),
        int32_t(status.BatteryFullLifeTime), status.BackupBatteryFlag, status.BackupBatteryLifePercent,
        int32_t(status.BackupBatteryLifeTime), int32_t(status.BackupBatteryFullLifeTime), status.BatteryVoltage,
        int32_t(status.BatteryCurrent), int32_t(status.BatteryTemperature), int32_t(status.BackupBatteryVoltage));
    size_t const length = std::min(size_t(std::max(written, 0)), sizeof text - 1);
    char16_t wide[kTestTextCapacity];
    std::copy(text, text + length, wide); // digits and ASCII words only
    MessageBox({}, { wide, length }, u"System Power Status", flags);
}

void Batterie::Draw(ScratchBitmap& surface, int32_t x, int32_t y)
{
    SystemPowerStatusEx2 status;
    if (powerStatusQuery_ && powerStatusQuery_(&status, sizeof status, 1) == 0)
        status = {};
    // Sizes come from the layout file; a battery without area has nothing to show.
    if (width_ <= 0 || height_ <= 0)
        return;
    if (coolBattery_)
        DrawCool(surface, x, y, status);
    else
        DrawPlain(surface, x, y, status);
}

namespace {

// Channels scale by factor / 128 and stop at 255.
ColorRef Scaled(ColorRef color, uint32_t factor)
{
    ColorRef result = 0;
    for (int shift = 0; shift < 24; shift += 8)
        result |= std::min<uint32_t>((color >> shift & 0xFF) * factor / 128, 255) << shift;
    return result;
}

ColorRef Light(ColorRef color) { return Scaled(color, 255); }
ColorRef Dark(ColorRef color) { return Scaled(color, 44); }

int32_t Clamped(int64_t value) { return Rect::Saturate(value); }

}

void Batterie::DrawPlain(ScratchBitmap& surface, int32_t x, int32_t y, SystemPowerStatusEx2 const& status)
{
    DeviceContext dc = surface.Dc();
    int64_t const w = width_, h = height_, left0 = x, top0 = y;
    int64_t const p = status.BatteryLifePercent;
    int64_t const cap = h / 4;
    {
        SelectedPen pen(dc, 1, colorBattery_);
        Point const outline[] = {
            { Clamped(left0 + cap), Clamped(top0 + h - 1) },
            { Clamped(left0 + cap), Clamped(top0 + 3 * h / 4) },
            { x, Clamped(top0 + 3 * h / 4) },
            { x, Clamped(top0 + h / 4) },
            { Clamped(left0 + cap), Clamped(top0 + h / 4) },
            { Clamped(left0 + cap), y },
            { Clamped(left0 + w - 1), y },
            { Clamped(left0 + w - 1), Clamped(top0 + h - 1) },
            { Clamped(left0 + cap), Clamped(top0 + h - 1) },
        };
        Polyline(dc, outline, int32_t(std::size(outline)));
    }

    ColorRef const color = p <= 33 ? colorCritical_ : p <= 66 ? colorLow_ : colorHigh_;
    int64_t const margin = std::max<int64_t>(3 * w / 128, 1);
    int64_t const left = left0 + cap + margin + 1;
    int64_t const span = w - cap - margin - 2;
    int64_t const top = top0 + margin + 1;
    int64_t const bottom = top0 + h - margin - 1;
    // Fewer than one segment counts as one. With more segments than pixels of
    // span every block is narrower than the gap after it, so none shows.
    int64_t const segments = std::max(segments_, 1);
    if (segments <= span) {
        for (int64_t i = 0; i < segments && i * 100 / segments < p; ++i) {
            Rect block { Clamped(left + (segments - i - 1) * span / segments), Clamped(top),
                Clamped(left + (segments - i) * span / segments - margin), Clamped(bottom) };
            FillSolid(dc, block, color);
        }
    }

    if (status.BatteryFlag & kCharging) {
        Rect area { Clamped(left), Clamped(top0 + 1), Clamped(left0 + w - margin), Clamped(top0 + h) };
        DrawText(dc, u"wird geladen", -1, area, TextFormat::Center | TextFormat::VerticalCenter | TextFormat::SingleLine);
    }
}

void Batterie::DrawCool(ScratchBitmap& surface, int32_t x, int32_t y, SystemPowerStatusEx2 const& status)
{
    int64_t const w = width_, h = height_, left = x, top = y;
    int64_t const p = status.BatteryLifePercent;
    // Only the part of the body on the surface counts; a body of no width is empty.
    int64_t const body = std::max<int64_t>(std::min<int64_t>(w, int64_t(surface.Width()) - left) - 2, 0);
    int64_t const fillEnd = left + std::min<int64_t>(p * body / 100, body);
    int64_t const split = top + 5 * h / 11;
    int32_t const bodyEnd = Clamped(left + body);

    // Critical to low over the first half of the charge, low to high over the second.
    int32_t const step = int32_t(p <= 50 ? p : std::min<int64_t>(p - 50, 50));
    ColorRef const charge = p <= 50 ? Mixed(colorCritical_, colorLow_, 50 - step, step, 50)
                                    : Mixed(colorLow_, colorHigh_, 50 - step, step, 50);
    Rect const upperFilled { x, y, Clamped(fillEnd), Clamped(split) };
    Rect const upperEmpty { Clamped(fillEnd), y, bodyEnd, Clamped(split) };
    Rect const lowerFilled { x, Clamped(split), Clamped(fillEnd), Clamped(top + h) };
    Rect const lowerEmpty { Clamped(fillEnd), Clamped(split), bodyEnd, Clamped(top + h) };
    GradientBlend(surface, upperFilled, OpaquePixelOf(charge), OpaquePixelOf(Light(charge)));
    GradientBlend(surface, upperEmpty, OpaquePixelOf(colorBattery_), OpaquePixelOf(Light(colorBattery_)));
    GradientBlend(surface, lowerFilled, OpaquePixelOf(Light(charge)), OpaquePixelOf(Dark(charge)));
    GradientBlend(surface, lowerEmpty, OpaquePixelOf(Light(colorBattery_)), OpaquePixelOf(Dark(colorBattery_)));

    int64_t const terminalTop = top + h / 3;
    int64_t const terminalBottom = top + h - h / 3;
    GradientBlend(surface, { Clamped(left + body + 1), Clamped(terminalTop), Clamped(left + body + 2), Clamped(terminalBottom) },
        OpaquePixelOf(Light(colorBattery_)), OpaquePixelOf(Dark(colorBattery_)));
    DeviceContext dc = surface.Dc();
    {
        SelectedPen pen(dc, 1, Rgb(64, 64, 64));
        MoveToEx(dc, bodyEnd, Clamped(terminalTop - 1), nullptr);
        LineTo(dc, bodyEnd, Clamped(terminalBottom + 1));
    }

    if ((status.BatteryFlag & kCharging) || status.ACLineStatus == kOnExternalPower) {
        SelectedPen pen(dc, int32_t(std::max<int64_t>(1, h / 12)), colorArrow_);
        auto at = [&](int64_t dx, int64_t dy) { return Point { Clamped(left + dx), Clamped(top + dy) }; };
        Point const sign[] = {
            at(w / 7, h / 2),
            at(19 * w / 42, 2 * h / 3),
            at(17 * w / 42, h / 3),
            at(5 * w / 7, h / 2),
            at(5 * w / 7, h / 3),
            at(6 * w / 7, h / 2),
            at(5 * w / 7, 2 * h / 3),
            at(5 * w / 7, h / 2),
        };
        Polyline(dc, sign, int32_t(std::size(sign)));
    }
}

}
