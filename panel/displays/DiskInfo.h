#pragma once

// The DISKMEM object: one gauge of the storage that holds a folder, or an
// error text while the device cannot tell its free space.

#include "panel/displays/GaugeObject.h"

#include <cstdint>
#include <optional>
#include <string>

namespace panel {

namespace DiskShow {
constexpr uint8_t Path = 0x1;
constexpr uint8_t Bar = 0x2;
constexpr uint8_t Value = 0x4;
constexpr uint8_t Percent = 0x8;
constexpr uint8_t CenterValue = 0x10;
constexpr uint8_t CoolBar = 0x20;
}

class DiskInfo : public GaugeObject {
public:
    // The colour keys, then Folder, ShowPath, Bar, Percent, Value, CenterValue,
    // CoolBar, Interval; then those of DesktopObject.
    static config::KeyTable<DiskInfo> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    void Draw(ScratchBitmap& surface, int32_t x, int32_t y) override;
    void Prepare(platform::DeviceContext dc) override;

    uint8_t ShowFlags() const { return showFlags_; }

private:
    GaugeRequest Request(int32_t lineHeight) const;
    void DrawError(platform::DeviceContext dc, int32_t x, int32_t y) const;

    uint8_t showFlags_ = 0x2F;
    std::optional<std::u16string> folderPath_;
    int32_t lineHeight_ = 0;
};

}
