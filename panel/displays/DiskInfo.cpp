#include "panel/displays/DiskInfo.h"

#include "config/KeySetters.h"
#include "platform/SystemStatus.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace panel {

using namespace platform;

static constexpr std::u16string_view kClassName = u"DiskInfo";
static constexpr size_t kErrorLimit = 323;

config::KeyTable<DiskInfo> const& DiskInfo::Keys()
{
    using config::kPanelDialect;
    using config::SetBits;
    using namespace DiskShow;
    static constexpr auto kShow = &DiskInfo::showFlags_;
    static constexpr config::Key<DiskInfo> kKeys[] = {
        { u"Folder", config::SetText<&DiskInfo::folderPath_> },
        { u"ShowPath", SetBits<kShow, Path, kPanelDialect> },
        { u"Bar", SetBits<kShow, Bar, kPanelDialect> },
        { u"Percent", SetBits<kShow, Percent, kPanelDialect> },
        { u"Value", SetBits<kShow, Value, kPanelDialect> },
        { u"CenterValue", SetBits<kShow, CenterValue, kPanelDialect> },
        // A cool bar is a bar: switching it off removes the bar, not only its style.
        { u"CoolBar", SetBits<kShow, Bar | CoolBar, kPanelDialect> },
    };
    static config::KeyTable<DiskInfo> const kTable = GaugeKeys<DiskInfo>(kClassName, kKeys);
    return kTable;
}

bool DiskInfo::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kPanelDialect, report });
}

GaugeRequest DiskInfo::Request(int32_t lineHeight) const
{
    GaugeRequest request;
    static constexpr std::pair<uint8_t, uint32_t> kFlags[] = {
        { DiskShow::Path, GaugeFlag::Label },
        { DiskShow::Bar, GaugeFlag::Bar },
        { DiskShow::Value, GaugeFlag::Value },
        { DiskShow::Percent, GaugeFlag::Percent },
        { DiskShow::CenterValue, GaugeFlag::Centered },
        { DiskShow::CoolBar, GaugeFlag::Cool },
    };
    for (auto [show, flag] : kFlags) {
        if (showFlags_ & show)
            request.flags |= flag;
    }
    request.width = width_;
    request.label = folderPath_ ? folderPath_->c_str() : u"";
    request.colors = colors_;
    request.lineHeight = lineHeight;
    return request;
}

void DiskInfo::Prepare(DeviceContext dc)
{
    Size extent;
    GetTextExtentPoint(dc, u"I", 1, extent);
    lineHeight_ = extent.height;
    height_ = GaugeHeight(Request(lineHeight_));
}

void DiskInfo::Draw(ScratchBitmap& surface, int32_t x, int32_t y)
{
    if (showFlags_ == 0)
        return;
    int32_t lineHeight = lineHeight_;
    if (lineHeight == 0) {
        int32_t const lines = !!(showFlags_ & DiskShow::Path) + !!(showFlags_ & DiskShow::Value)
            + !!(showFlags_ & DiskShow::Bar);
        lineHeight = height_ / std::max(lines, 1);
    }
    GaugeRequest request = Request(lineHeight);
    request.dc = surface.Dc();
    request.x = x;
    request.y = y;

    // Without a folder the platform decides which storage it reports.
    char16_t const* folder = folderPath_ ? folderPath_->c_str() : nullptr;
    uint64_t available = 0;
    uint64_t total = 0;
    if (!GetDiskFreeSpace(folder, &available, &total, nullptr)) {
        DrawError(surface.Dc(), x, y);
        return;
    }
    request.available = available;
    request.total = total;
    DrawGauge(surface, request, blur_);
}

void DiskInfo::DrawError(DeviceContext dc, int32_t x, int32_t y) const
{
    std::u16string text = u"Fehler: \"";
    if (folderPath_)
        text += *folderPath_;
    text += u"\"";
    if (text.size() > kErrorLimit)
        text.resize(kErrorLimit);
    Rect area = Rect::FromSize(x, y, width_, height_);
    DrawText(dc, text.c_str(), int32_t(text.size()), area, TextFormat::WordBreak);
}

}
