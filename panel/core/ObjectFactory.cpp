#include "panel/core/ObjectFactory.h"

#include "config/Strings.h"
#include "panel/buttons/BitmapButton.h"
#include "panel/buttons/CommandButton.h"
#include "panel/buttons/IconXPButton.h"
#include "panel/buttons/WindowsButton.h"
#include "panel/core/PlaceholderObject.h"
#include "panel/displays/Batterie.h"
#include "panel/displays/DateInfo.h"
#include "panel/displays/DiskInfo.h"
#include "panel/displays/MemoryInfo.h"
#include "panel/displays/Space.h"
#include "panel/displays/Text.h"
#include "panel/displays/TimeInfo.h"

#include <functional>
#include <string_view>

namespace panel {

namespace {

using Make = std::unique_ptr<DesktopObject> (*)(platform::WindowHandle);

template<uint32_t Interval>
std::unique_ptr<DesktopObject> MakePlaceholder(platform::WindowHandle)
{
    return std::make_unique<PlaceholderObject>(Interval);
}

struct Keyword {
    std::u16string_view name;
    Make make; // null: the panel's own settings
};

constexpr Keyword kKeywords[] = {
    { u"TEXT", [](platform::WindowHandle) -> std::unique_ptr<DesktopObject> { return std::make_unique<Text>(); } },
    { u"SPACE", [](platform::WindowHandle) -> std::unique_ptr<DesktopObject> { return std::make_unique<Space>(); } },
    { u"MEMORY", [](platform::WindowHandle) -> std::unique_ptr<DesktopObject> { return std::make_unique<MemoryInfo>(); } },
    { u"DISKMEM", [](platform::WindowHandle) -> std::unique_ptr<DesktopObject> { return std::make_unique<DiskInfo>(); } },
    { u"BATTERY", [](platform::WindowHandle) -> std::unique_ptr<DesktopObject> { return std::make_unique<Batterie>(); } },
    { u"DATE", [](platform::WindowHandle) -> std::unique_ptr<DesktopObject> { return std::make_unique<DateInfo>(); } },
    { u"TIME", [](platform::WindowHandle) -> std::unique_ptr<DesktopObject> { return std::make_unique<TimeInfo>(); } },
    { u"BUTTON", [](platform::WindowHandle window) -> std::unique_ptr<DesktopObject> { return std::make_unique<CommandButton>(window); } },
    { u"BITMAPBUTTON", [](platform::WindowHandle window) -> std::unique_ptr<DesktopObject> { return std::make_unique<BitmapButton>(window); } },
    { u"ICONXPBUTTON", [](platform::WindowHandle window) -> std::unique_ptr<DesktopObject> { return std::make_unique<IconXPButton>(window); } },
    { u"WINDOWSBUTTON", [](platform::WindowHandle window) -> std::unique_ptr<DesktopObject> { return std::make_unique<WindowsButton>(window); } },
    { u"GLOBALSETTINGS", nullptr },
};

}

Section CreateSection(char16_t const* header, platform::WindowHandle window)
{
    for (auto const& keyword : kKeywords) {
        if (config::CompareN(header, keyword.name.data(), keyword.name.size()) != 0)
            continue;
        if (!keyword.make)
            return { SectionKind::GlobalSettings, nullptr };
        return { SectionKind::Object, keyword.make(window) };
    }
    return { SectionKind::Unknown, nullptr };
}

}
