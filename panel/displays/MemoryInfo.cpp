#include "panel/displays/MemoryInfo.h"

#include "config/KeySetters.h"
#include "platform/SystemStatus.h"

#include <algorithm>
#include <string_view>

namespace panel {

using namespace platform;

static constexpr std::u16string_view kClassName = u"MemoryInfo";

config::KeyTable<MemoryInfo> const& MemoryInfo::Keys()
{
    using config::kPanelDialect;
    using config::SetBits;
    using namespace MemoryShow;
    static constexpr auto kShow = &MemoryInfo::showFlags_;
    static constexpr config::Key<MemoryInfo> kKeys[] = {
        { u"PhysMemString", SetBits<kShow, PhysicalLabel, kPanelDialect> },
        { u"PhysMemBar", SetBits<kShow, PhysicalBar, kPanelDialect> },
        { u"CoolPhysMemBar", SetBits<kShow, PhysicalBar | CoolBars, kPanelDialect> },
        { u"PhysMemValue", SetBits<kShow, PhysicalValue, kPanelDialect> },
        { u"PhysMemPercent", SetBits<kShow, PhysicalPercent, kPanelDialect> },
        { u"VirtMemString", SetBits<kShow, VirtualLabel, kPanelDialect> },
        { u"VirtMemBar", SetBits<kShow, VirtualBar, kPanelDialect> },
        { u"CoolVirtMemBar", SetBits<kShow, VirtualBar | CoolBars, kPanelDialect> },
        { u"VirtMemValue", SetBits<kShow, VirtualValue, kPanelDialect> },
        { u"VirtMemPercent", SetBits<kShow, VirtualPercent, kPanelDialect> },
        { u"CenterValue", config::SetBoolean<&MemoryInfo::centerValue_, kPanelDialect> },
    };
    static config::KeyTable<MemoryInfo> const kTable = GaugeKeys<MemoryInfo>(kClassName, kKeys);
    return kTable;
}

bool MemoryInfo::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kPanelDialect, report });
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
    DrawGauge(surface, physical, blur_);

    GaugeRequest virtualSpace = VirtualRequest();
    virtualSpace.dc = surface.Dc();
    virtualSpace.x = x;
    virtualSpace.y = Rect::Saturate(int64_t(y) + physicalHeight_ + 2);
    virtualSpace.available = status.availableVirtual;
    virtualSpace.total = status.totalVirtual;
    DrawGauge(surface, virtualSpace, blur_);
}

}
