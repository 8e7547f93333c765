#include "panel/displays/Space.h"

#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"

namespace panel {

bool Space::ReadValue(char16_t const* line, size_t length, bool report)
{
    if (config::CompareN(line, u"Space", 5) != 0)
        return DesktopObject::ReadValue(line, length, report);
    char16_t const* value = config::ValueOf(line, length, config::kMinimumValue);
    if (!value) {
        if (report)
            config::ReportBadValue(config::kPanelDialect, u"Space", { line, length });
        return false;
    }
    spaceSize_ = config::ParseInt(value);
    return true;
}

void Space::Prepare(platform::DeviceContext)
{
    width_ = spaceSize_;
    height_ = spaceSize_;
}

}
