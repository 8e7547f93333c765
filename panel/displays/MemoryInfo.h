#pragma once

// The MEMORY object: a gauge of physical memory and, below it, one of the
// program's virtual address space, each with its own label, value and bar.

#include "panel/displays/GaugeObject.h"

#include <cstdint>

namespace panel {

namespace MemoryShow {
constexpr uint32_t PhysicalLabel = 0x1;
constexpr uint32_t VirtualLabel = 0x2;
constexpr uint32_t PhysicalBar = 0x4;
constexpr uint32_t VirtualBar = 0x8;
constexpr uint32_t PhysicalValue = 0x10;
constexpr uint32_t VirtualValue = 0x20;
constexpr uint32_t PhysicalPercent = 0x40;
constexpr uint32_t VirtualPercent = 0x80;
constexpr uint32_t CoolBars = 0x100; // one bit for both bars
}

class MemoryInfo : public GaugeObject {
public:
    // The colour keys, then PhysMem*, VirtMem*, CenterValue, Interval; then those of DesktopObject.
    static config::KeyTable<MemoryInfo> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    void Draw(ScratchBitmap& surface, int32_t x, int32_t y) override;
    void Prepare(platform::DeviceContext dc) override;

    uint32_t ShowFlags() const { return showFlags_; }
    bool CenterValue() const { return centerValue_; }

private:
    GaugeRequest PhysicalRequest() const;
    GaugeRequest VirtualRequest() const;
    GaugeRequest Request(uint32_t label, uint32_t bar, uint32_t value, uint32_t percent) const;

    uint32_t showFlags_ = 0x155;
    bool centerValue_ = false;
    int32_t physicalHeight_ = 0;
    int32_t lineHeight_ = 0;
};

}
