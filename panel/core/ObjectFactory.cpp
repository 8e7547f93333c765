#include "panel/core/ObjectFactory.h"

#include "config/Strings.h"
#include "panel/buttons/BitmapButton.h"
#include "panel/buttons/CommandButton.h"
#include "panel/buttons/IconXPButton.h"
#include "panel/buttons/WindowsButton.h"
#include "panel/displays/Batterie.h"
#include "panel/displays/DateInfo.h"
#include "panel/displays/DiskInfo.h"
#include "panel/displays/MemoryInfo.h"
#include "panel/displays/Space.h"
#include "panel/displays/Text.h"
#include "panel/displays/TimeInfo.h"

#include <string_view>
#include <type_traits>

namespace panel {

namespace {

using Make = std::unique_ptr<DesktopObject> (*)(platform::WindowHandle);

// Buttons report to the panel window; every other object needs nothing to be made.
template<typename Object>
std::unique_ptr<DesktopObject> MakeObject(platform::WindowHandle window)
{
    if constexpr (std::is_constructible_v<Object, platform::WindowHandle>)
        return std::make_unique<Object>(window);
    else
        return std::make_unique<Object>();
}

struct Keyword {
    std::u16string_view name;
    Make make; // null: the panel's own settings
};

constexpr Keyword kKeywords[] = {
    { u"TEXT", MakeObject<Text> },
    { u"SPACE", MakeObject<Space> },
    { u"MEMORY", MakeObject<MemoryInfo> },
    { u"DISKMEM", MakeObject<DiskInfo> },
    { u"BATTERY", MakeObject<Batterie> },
    { u"DATE", MakeObject<DateInfo> },
    { u"TIME", MakeObject<TimeInfo> },
    { u"BUTTON", MakeObject<CommandButton> },
    { u"BITMAPBUTTON", MakeObject<BitmapButton> },
    { u"ICONXPBUTTON", MakeObject<IconXPButton> },
    { u"WINDOWSBUTTON", MakeObject<WindowsButton> },
    { u"GLOBALSETTINGS", nullptr },
};

}

std::vector<std::u16string_view> SectionKeywords()
{
    std::vector<std::u16string_view> names;
    for (auto const& keyword : kKeywords)
        names.push_back(keyword.name);
    return names;
}

Section CreateSection(char16_t const* header, platform::WindowHandle window)
{
    for (auto const& keyword : kKeywords) {
        if (!config::StartsWith(header, keyword.name))
            continue;
        if (!keyword.make)
            return { SectionKind::GlobalSettings, nullptr };
        return { SectionKind::Object, keyword.make(window) };
    }
    return { SectionKind::Unknown, nullptr };
}

}
