#include "panel/displays/Space.h"

#include "config/KeySetters.h"

namespace panel {

config::KeyTable<Space> const& Space::Keys()
{
    static constexpr config::Key<Space> kKeys[] = {
        { u"Space", config::SetInteger<&Space::spaceSize_> },
    };
    static config::KeyTable<Space> const kTable { .caption = u"Space", .keys = kKeys, .base = DesktopObject::Keys() };
    return kTable;
}

bool Space::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kPanelDialect, report });
}

void Space::Prepare(platform::DeviceContext)
{
    width_ = spaceSize_;
    height_ = spaceSize_;
}

}
