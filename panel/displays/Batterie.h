#pragma once

// The main battery's charge as a battery symbol: a plain outline with
// coloured blocks, or a shaded cylinder with a lightning-and-arrow sign while
// it charges. The charge comes from a power-status call that the object
// looks up by name in the platform library when it is made.

#include "panel/core/DesktopObject.h"
#include "platform/SystemStatus.h"

namespace panel {

class Batterie : public DesktopObject {
public:
    // Looks the power-status call up; tells the user when it is missing.
    Batterie();

    // ColorBattery, ColorCritical, ColorLow, ColorHigh, ColorArrow, Segments,
    // CoolBattery, Interval, Test; then those of DesktopObject.
    static config::KeyTable<Batterie> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    // Queries the power status afresh; without an answer the battery is empty.
    void Draw(ScratchBitmap& surface, int32_t x, int32_t y) override;
    // A tap redraws the battery, and with it asks for the charge again.
    bool OnPress(int32_t, int32_t) override { return true; }

private:
    void ShowPowerStatus();
    void DrawPlain(ScratchBitmap& surface, int32_t x, int32_t y, platform::SystemPowerStatusEx2 const& status);
    void DrawCool(ScratchBitmap& surface, int32_t x, int32_t y, platform::SystemPowerStatusEx2 const& status);

    platform::PowerStatusCall powerStatusQuery_ = nullptr;
    platform::ColorRef colorCritical_ = platform::Rgb(0xD0, 0x00, 0x00);
    platform::ColorRef colorLow_ = platform::Rgb(0xD0, 0xD0, 0x00);
    platform::ColorRef colorHigh_ = platform::Rgb(0x00, 0xD0, 0x00);
    platform::ColorRef colorBattery_ = platform::Rgb(0x00, 0x00, 0x00);
    platform::ColorRef colorArrow_ = platform::Rgb(0xC0, 0xC0, 0x00);
    int32_t segments_ = 3;
    bool coolBattery_ = true;
};

}
