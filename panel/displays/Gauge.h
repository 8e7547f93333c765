#pragma once

// One gauge of the memory and storage objects: up to a label line, a value
// line (available / total) and a bar of the available fraction, plain or cool.

#include "panel/displays/BlurFilter.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/Types.h"

#include <cstdint>

namespace panel {

namespace GaugeFlag {
constexpr uint32_t Label = 0x1;
constexpr uint32_t Value = 0x2;
constexpr uint32_t Bar = 0x4;
constexpr uint32_t Percent = 0x8;
constexpr uint32_t Centered = 0x10;
constexpr uint32_t Cool = 0x20;
}

struct GaugeColors {
    platform::ColorRef textColor = 0x000000;
    platform::ColorRef borderColor = 0x000000;
    platform::ColorRef backgroundColorLow = 0x0000FF;
    platform::ColorRef backgroundColorHigh = 0x00FF00;
    platform::ColorRef backgroundColorCenter = 0x00C060;
    platform::ColorRef lightColor = 0xFFFFFF;
    platform::ColorRef blurColor = 0xFFFF40;

    bool operator==(GaugeColors const&) const = default;
};

struct GaugeRequest {
    uint32_t flags = 0;
    platform::DeviceContext dc;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    char16_t const* label = nullptr; // not owned; null draws an empty label
    uint64_t available = 0;
    uint64_t total = 0;
    GaugeColors colors;
    int32_t lineHeight = 0;
};

int32_t GaugeHeight(GaugeRequest const& request);
// A cool bar's glow takes its scratch memory from `blur`, which the gauge keeps.
void DrawGauge(ScratchBitmap& surface, GaugeRequest const& request, BlurFilter& blur);
// The bar lies `offset` pixels below the request's top.
void DrawPlainBar(GaugeRequest const& request, int32_t offset, uint32_t fraction);
void DrawCoolBar(ScratchBitmap& surface, GaugeRequest const& request, int32_t offset, uint32_t fraction, BlurFilter& blur);

}
