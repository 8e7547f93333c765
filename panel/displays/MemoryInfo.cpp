#include "panel/displays/MemoryInfo.h"

#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"
#include "platform/SystemStatus.h"

#include <algorithm>
#include <string_view>

namespace panel {

using namespace platform;

static constexpr std::u16string_view kClassName = u"MemoryInfo";

MemoryInfo::MemoryInfo()
{
    interval_ = 600000;
}

bool MemoryInfo::ReadValue(char16_t const* line, size_t length, bool report)
{
    if (auto taken = ReadColor(line, length, report, kClassName))
        return *taken;

    struct Named {
        std::u16string_view name;
        uint32_t bits; // 0: CenterValue or Interval
    };
    static constexpr Named kKeys[] = {
        { u"PhysMemString", MemoryShow::PhysicalLabel },
        { u"PhysMemBar", MemoryShow::PhysicalBar },
        { u"CoolPhysMemBar", MemoryShow::PhysicalBar | MemoryShow::CoolBars },
        { u"PhysMemValue", MemoryShow::PhysicalValue },
        { u"PhysMemPercent", MemoryShow::PhysicalPercent },
        { u"VirtMemString", MemoryShow::VirtualLabel },
        { u"VirtMemBar", MemoryShow::VirtualBar },
        { u"CoolVirtMemBar", MemoryShow::VirtualBar | MemoryShow::CoolBars },
        { u"VirtMemValue", MemoryShow::VirtualValue },
        { u"VirtMemPercent", MemoryShow::VirtualPercent },
        { u"CenterValue", 0 },
        { u"Interval", 0 },
    };
    for (auto const& named : kKeys) {
        if (config::CompareN(line, named.name.data(), named.name.size()) != 0)
            continue;
        char16_t const* value = config::ValueOf(line, length, config::kMinimumValue);
        if (!value) {
            if (report)
                config::ReportBadValue(config::kPanelDialect, kClassName, { line, length });
            return false;
        }
        if (named.name == u"Interval") {
            interval_ = uint32_t(config::ParseInt(value));
            return true;
        }
        bool const on = config::ParseBool(config::kPanelDialect, value);
        if (named.name == u"CenterValue")
            centerValue_ = on;
        else if (on)
            showFlags_ |= named.bits;
        else
            showFlags_ &= ~named.bits;
        return true;
    }
    return DesktopObject::ReadValue(line, length, report);
}

GaugeRequest MemoryInfo::Request(uint32_t label, uint32_t bar, uint32_t value, uint32_t percent) const
{
    GaugeRequest request;
    if (showFlags_ & label)
        request.flags |= GaugeFlag::Label;
    if (showFlags_ & bar)
        request.flags |= GaugeFlag::Bar;
    if (showFlags_ & value)
        request.flags |= GaugeFlag::Value;
    if (showFlags_ & percent)
        request.flags |= GaugeFlag::Percent;
    if (showFlags_ & MemoryShow::CoolBars)
        request.flags |= GaugeFlag::Cool;
    if (centerValue_)
        request.flags |= GaugeFlag::Centered;
    request.width = width_;
    request.colors = colors_;
    request.lineHeight = lineHeight_;
    if (request.lineHeight == 0) {
        int32_t const lines = !!(request.flags & GaugeFlag::Label) + !!(request.flags & GaugeFlag::Value)
            + !!(request.flags & GaugeFlag::Bar);
        request.lineHeight = height_ / std::max(lines, 1);
    }
    return request;
}

GaugeRequest MemoryInfo::PhysicalRequest() const
{
    GaugeRequest request = Request(MemoryShow::PhysicalLabel, MemoryShow::PhysicalBar, MemoryShow::PhysicalValue,
        MemoryShow::PhysicalPercent);
    request.label = u"Physical Memory";
    return request;
}

GaugeRequest MemoryInfo::VirtualRequest() const
{
    GaugeRequest request = Request(MemoryShow::VirtualLabel, MemoryShow::VirtualBar, MemoryShow::VirtualValue,
        MemoryShow::VirtualPercent);
    request.label = u"Virtual Memory";
    return request;
}

void MemoryInfo::Prepare(DeviceContext dc)
{
    Size extent;
    GetTextExtentPoint(dc, u"I", 1, extent);
    lineHeight_ = extent.height;
    if (showFlags_ == 0) {
        height_ = 0;
        return;
    }
    // Measured, not derived from a height the layout gave.
    GaugeRequest physical = PhysicalRequest();
    GaugeRequest virtualSpace = VirtualRequest();
    physical.lineHeight = virtualSpace.lineHeight = lineHeight_;
    physicalHeight_ = GaugeHeight(physical);
    height_ = physicalHeight_ + GaugeHeight(virtualSpace) + 2;
}

void MemoryInfo::Draw(ScratchBitmap& surface, int32_t x, int32_t y)
{
    if (showFlags_ == 0)
        return;
    MemoryStatus status;
    GlobalMemoryStatus(status);

    GaugeRequest physical = PhysicalRequest();
    physical.dc = surface.Dc();
    physical.x = x;
    physical.y = y;
    physical.available = status.availablePhysical;
    physical.total = status.totalPhysical;
    DrawGauge(surface, physical);

    GaugeRequest virtualSpace = VirtualRequest();
    virtualSpace.dc = surface.Dc();
    virtualSpace.x = x;
    virtualSpace.y = Rect::Saturate(int64_t(y) + physicalHeight_ + 2);
    virtualSpace.available = status.availableVirtual;
    virtualSpace.total = status.totalVirtual;
    DrawGauge(surface, virtualSpace);
}

}
