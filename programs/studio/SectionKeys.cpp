#include "programs/studio/SectionKeys.h"

#include "daemon/BindingSet.h"
#include "daemon/KeyBinding.h"
#include "panel/buttons/BitmapButton.h"
#include "panel/buttons/CommandButton.h"
#include "panel/buttons/IconXPButton.h"
#include "panel/buttons/ImageButton.h"
#include "panel/buttons/WindowsButton.h"
#include "panel/core/GlobalSettings.h"
#include "panel/displays/Batterie.h"
#include "panel/displays/ClockText.h"
#include "panel/displays/DiskInfo.h"
#include "panel/displays/MemoryInfo.h"
#include "panel/displays/Space.h"
#include "panel/displays/Text.h"

#include <algorithm>
#include <initializer_list>

namespace studio {

namespace {

using Names = std::vector<std::u16string_view>;

Names Once(std::initializer_list<Names> chains)
{
    Names names;
    for (Names const& chain : chains) {
        for (std::u16string_view name : chain) {
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
        }
    }
    return names;
}

}

std::vector<SectionKeys> PanelSectionKeys()
{
    using namespace panel;
    return {
        { u"TEXT", Once({ Text::Keys().Names() }) },
        { u"SPACE", Once({ Space::Keys().Names() }) },
        { u"MEMORY", Once({ MemoryInfo::Keys().Names() }) },
        { u"DISKMEM", Once({ DiskInfo::Keys().Names() }) },
        { u"BATTERY", Once({ Batterie::Keys().Names() }) },
        { u"DATE", Once({ ClockText::Keys().Names() }) },
        { u"TIME", Once({ ClockText::Keys().Names() }) },
        { u"BUTTON", Once({ CommandButton::Keys().Names() }) },
        { u"BITMAPBUTTON", Once({ BitmapButton::Keys().Names() }) },
        { u"ICONXPBUTTON", Once({ IconXPButton::Keys().Names() }) },
        // The flat button's own keys, its image button's, then its caption's.
        { u"WINDOWSBUTTON", Once({ WindowsButton::Keys().Names(), ImageButton::Keys().Names(), Text::Keys().Names() }) },
        { u"GLOBALSETTINGS", Once({ GlobalSettings::Keys().Names() }) },
    };
}

std::vector<SectionKeys> DaemonSectionKeys()
{
    return {
        { brellum::kBindingKeyword, Once({ brellum::KeyBinding::Keys().Names() }) },
        { brellum::kSettingsKeyword, Once({ brellum::BindingSet::SettingsSection::Keys().Names() }) },
    };
}

}
