#pragma once

// Every chain of keys the panel tries a line of a layout file against, each
// in the order it tries them: for the tests that walk the key tables.

#include "panel/buttons/BitmapButton.h"
#include "panel/buttons/CommandButton.h"
#include "panel/buttons/IconXPButton.h"
#include "panel/buttons/ImageButton.h"
#include "panel/buttons/WindowsButton.h"
#include "panel/core/DesktopObject.h"
#include "panel/core/GlobalSettings.h"
#include "panel/displays/Batterie.h"
#include "panel/displays/ClockText.h"
#include "panel/displays/DiskInfo.h"
#include "panel/displays/MemoryInfo.h"
#include "panel/displays/Space.h"
#include "panel/displays/Text.h"

#include <string_view>
#include <vector>

namespace testing_support {

using KeyNames = std::vector<std::u16string_view>;

inline std::vector<KeyNames> PanelKeyChains()
{
    using namespace panel;
    auto ownNames = [](auto const& table) {
        KeyNames names;
        for (auto const& key : table.keys)
            names.push_back(key.name);
        return names;
    };
    auto joined = [](std::initializer_list<KeyNames> parts) {
        KeyNames names;
        for (KeyNames const& part : parts)
            names.insert(names.end(), part.begin(), part.end());
        return names;
    };
    return {
        DesktopObject::RefreshedKeys().Names(),
        GlobalSettings::Keys().Names(),
        Text::Keys().Names(),
        ClockText::Keys().Names(),
        Space::Keys().Names(),
        Batterie::Keys().Names(),
        MemoryInfo::Keys().Names(),
        DiskInfo::Keys().Names(),
        CommandButton::Keys().Names(),
        ImageButton::Keys().Names(),
        BitmapButton::Keys().Names(),
        IconXPButton::Keys().Names(),
        // The flat button's own keys, then its image button's; what neither
        // takes goes on to its caption, whose place keys are those it already tried.
        joined({ WindowsButton::Keys().Names(), ImageButton::Keys().Names(), ownNames(Text::Keys()) }),
    };
}

}
