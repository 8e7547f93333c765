#include "panel/core/DesktopObject.h"

#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"
#include "platform/System.h"

namespace panel {

static constexpr std::u16string_view kClassName = u"DesktopObject";

DesktopObject::DesktopObject()
    : lastUpdate_(platform::GetTickCount())
{
}

bool DesktopObject::ReadValue(char16_t const* line, size_t length, bool report)
{
    int32_t* field = nullptr;
    if (line[0] == u'x' || line[0] == u'X')
        field = &x_;
    else if (line[0] == u'y' || line[0] == u'Y')
        field = &y_;
    else if (config::CompareN(line, u"Width", 5) == 0)
        field = &width_;
    else if (config::CompareN(line, u"Height", 6) == 0)
        field = &height_;

    if (!field) {
        if (report)
            config::ReportUnknownValue(config::kPanelDialect, kClassName, { line, length });
        return false;
    }
    char16_t const* value = config::ValueOf(line, length, config::kMinimumValue);
    if (!value) {
        if (report)
            config::ReportBadValue(config::kPanelDialect, kClassName, { line, length });
        return false;
    }
    *field = config::ParseInt(value);
    return true;
}

void DesktopObject::Prepare(platform::DeviceContext)
{
}

bool DesktopObject::OnPress(int32_t, int32_t)
{
    return false;
}

bool DesktopObject::OnRelease(int32_t, int32_t)
{
    return false;
}

bool DesktopObject::IsDue()
{
    if (interval_ == 0)
        return false;
    uint32_t now = platform::GetTickCount();
    if (now - lastUpdate_ < interval_)
        return false;
    lastUpdate_ = now;
    return true;
}

}
