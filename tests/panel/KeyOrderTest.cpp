// Keys are prefixes of their lines, tried in table order: a key that begins
// with an earlier key of the same reading order can never be reached. This
// walks every table of the panel and the daemon in the order its lines are
// tried, so that the longer keys that share a prefix stay first.

#include "daemon/BindingSet.h"
#include "daemon/KeyBinding.h"
#include "tests/panel/PanelKeyChains.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using Names = testing_support::KeyNames;

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

}

TEST(KeyOrder, TheCheckFindsAKeyBehindItsPrefix)
{
    EXPECT_EQ(ShadowedKeys({ u"TextColor", u"Text", u"Color", u"FrameColor" }), std::vector<std::string> {});
    EXPECT_EQ(ShadowedKeys({ u"Text", u"Color", u"TextColor", u"Color" }),
        (std::vector<std::string> { "Text < TextColor", "Color < Color" }));
}

TEST(KeyOrder, NoKeyOfThePanelIsShadowed)
{
    for (Names const& chain : testing_support::PanelKeyChains())
        EXPECT_EQ(ShadowedKeys(chain), std::vector<std::string> {}) << Ascii(chain.front());
}

TEST(KeyOrder, NoKeyOfTheDaemonIsShadowed)
{
    EXPECT_EQ(ShadowedKeys(brellum::KeyBinding::Keys().Names()), std::vector<std::string> {});
    EXPECT_EQ(ShadowedKeys(brellum::BindingSet::SettingsSection::Keys().Names()), std::vector<std::string> {});
}
