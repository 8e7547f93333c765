#include "panel/core/DesktopObject.h"

#include "config/KeySetters.h"
#include "config/Values.h"
#include "platform/System.h"

namespace panel {

DesktopObject::DesktopObject()
    : lastUpdate_(platform::GetTickCount())
{
}

config::KeyTable<DesktopObject> const& DesktopObject::Keys()
{
    // Decided by the first letter alone: xpos and Yoffset count too.
    static constexpr config::Key<DesktopObject> kKeys[] = {
        { u"x", config::SetInteger<&DesktopObject::x_> },
        { u"X", config::SetInteger<&DesktopObject::x_> },
        { u"y", config::SetInteger<&DesktopObject::y_> },
        { u"Y", config::SetInteger<&DesktopObject::y_> },
        { u"Width", config::SetInteger<&DesktopObject::width_> },
        { u"Height", config::SetInteger<&DesktopObject::height_> },
    };
    static constexpr config::KeyTable<DesktopObject> kTable { .caption = u"DesktopObject", .keys = kKeys };
    return kTable;
}

config::KeyTable<DesktopObject> const& DesktopObject::RefreshedKeys()
{
    static constexpr config::Key<DesktopObject> kKeys[] = {
        { u"Interval", config::SetInteger<&DesktopObject::interval_> },
    };
    // Without a caption of its own: a bad interval is reported under the object's.
    static config::KeyTable<DesktopObject> const kTable { .caption = {}, .keys = kKeys, .base = Keys() };
    return kTable;
}

bool DesktopObject::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kPanelDialect, report });
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
