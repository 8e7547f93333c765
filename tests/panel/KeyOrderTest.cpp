// Keys are prefixes of their lines, tried in table order: a key that begins
// with an earlier key of the same reading order can never be reached. This
// walks every table of the panel and the daemon in the order its lines are
// tried, so that the longer keys that share a prefix stay first.

#include "daemon/BindingSet.h"
#include "daemon/KeyBinding.h"
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

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using Names = std::vector<std::u16string_view>;

namespace {

std::string Ascii(std::u16string_view text)
{
    return std::string(text.begin(), text.end());
}

// "earlier < later" for every key that begins with a key tried before it.
std::vector<std::string> ShadowedKeys(Names const& names)
{
    std::vector<std::string> shadowed;
    for (size_t later = 0; later < names.size(); ++later) {
        for (size_t earlier = 0; earlier < later; ++earlier) {
            if (names[later].starts_with(names[earlier]))
                shadowed.push_back(Ascii(names[earlier]) + " < " + Ascii(names[later]));
        }
    }
    return shadowed;
}

template<typename Object>
Names OwnNames(config::KeyTable<Object> const& table)
{
    Names names;
    for (auto const& key : table.keys)
        names.push_back(key.name);
    return names;
}

Names Joined(std::initializer_list<Names> parts)
{
    Names joined;
    for (Names const& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

}

TEST(KeyOrder, TheCheckFindsAKeyBehindItsPrefix)
{
    EXPECT_EQ(ShadowedKeys({ u"TextColor", u"Text", u"Color", u"FrameColor" }), std::vector<std::string> {});
    EXPECT_EQ(ShadowedKeys({ u"Text", u"Color", u"TextColor", u"Color" }),
        (std::vector<std::string> { "Text < TextColor", "Color < Color" }));
}

TEST(KeyOrder, NoKeyOfThePanelIsShadowed)
{
    using namespace panel;
    Names const chains[] = {
        DesktopObject::Keys().Names(),
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
        Joined({ WindowsButton::Keys().Names(), ImageButton::Keys().Names(), OwnNames(Text::Keys()) }),
    };
    for (Names const& chain : chains)
        EXPECT_EQ(ShadowedKeys(chain), std::vector<std::string> {}) << Ascii(chain.front());
}

TEST(KeyOrder, NoKeyOfTheDaemonIsShadowed)
{
    EXPECT_EQ(ShadowedKeys(brellum::KeyBinding::Keys().Names()), std::vector<std::string> {});
    EXPECT_EQ(ShadowedKeys(brellum::BindingSet::SettingsSection::Keys().Names()), std::vector<std::string> {});
}
