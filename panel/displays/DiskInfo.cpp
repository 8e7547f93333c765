#include "panel/displays/DiskInfo.h"

#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"
#include "platform/SystemStatus.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace panel {

using namespace platform;

static constexpr std::u16string_view kClassName = u"DiskInfo";
static constexpr size_t kErrorLimit = 323;

DiskInfo::DiskInfo()
{
    interval_ = 600000;
}

bool DiskInfo::ReadValue(char16_t const* line, size_t length, bool report)
{
    if (auto taken = ReadColor(line, length, report, kClassName))
        return *taken;

    enum class Kind { Folder, Bits, Interval };
    struct Named {
        std::u16string_view name;
        Kind kind;
        uint8_t bits = 0;
    };
    static constexpr Named kKeys[] = {
        { u"Folder", Kind::Folder },
        { u"ShowPath", Kind::Bits, DiskShow::Path },
        { u"Bar", Kind::Bits, DiskShow::Bar },
        { u"Percent", Kind::Bits, DiskShow::Percent },
        { u"Value", Kind::Bits, DiskShow::Value },
        { u"CenterValue", Kind::Bits, DiskShow::CenterValue },
        // A cool bar is a bar: switching it off removes the bar, not only its style.
        { u"CoolBar", Kind::Bits, DiskShow::Bar | DiskShow::CoolBar },
        { u"Interval", Kind::Interval },
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
        switch (named.kind) {
        case Kind::Folder:
            folderPath_.emplace(value, size_t(line + length - value));
            break;
        case Kind::Bits:
            if (config::ParseBool(config::kPanelDialect, value))
                showFlags_ |= named.bits;
            else
                showFlags_ &= uint8_t(~named.bits);
            break;
        case Kind::Interval:
            interval_ = uint32_t(config::ParseInt(value));
            break;
        }
        return true;
    }
    return DesktopObject::ReadValue(line, length, report);
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
    DrawGauge(surface, request);
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
