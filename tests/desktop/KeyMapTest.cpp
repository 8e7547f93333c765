#include "platform/x11/X11KeyMap.h"

#include <gtest/gtest.h>

#include <X11/X.h>
#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace platform {
namespace {

TEST(X11KeyMap, EveryMappedVirtualKeyComesBackFromItsSymbol)
{
    int mapped = 0;
    for (uint32_t key = 1; key < 256; ++key) {
        unsigned long keySym = KeySymOfVirtualKey(key);
        if (keySym == 0)
            continue;
        ++mapped;
        uint32_t back = VirtualKeyOfKeySym(keySym);
        // The sided modifier keys come back as the generic ones, as key presses report them.
        bool sided = (key >= 0xA0 && key <= 0xA5);
        if (!sided) {
            EXPECT_EQ(back, key) << std::hex << key;
        }
    }
    EXPECT_GT(mapped, 100);
}

TEST(X11KeyMap, LettersDigitsFunctionAndApplicationKeys)
{
    EXPECT_EQ(KeySymOfVirtualKey('A'), KeySym(XK_a));
    EXPECT_EQ(VirtualKeyOfKeySym(XK_Z), uint32_t('Z'));
    EXPECT_EQ(VirtualKeyOfKeySym(XK_z), uint32_t('Z'));
    EXPECT_EQ(KeySymOfVirtualKey('7'), KeySym(XK_7));
    EXPECT_EQ(KeySymOfVirtualKey(0x70), KeySym(XK_F1));
    EXPECT_EQ(KeySymOfVirtualKey(0x87), KeySym(XK_F24));
    EXPECT_EQ(KeySymOfVirtualKey(0xC1), KeySym(XF86XK_Launch1));
    EXPECT_EQ(KeySymOfVirtualKey(0xCF), KeySym(XF86XK_LaunchF));
    EXPECT_EQ(VirtualKeyOfKeySym(XK_Return), 0x0Du);
    EXPECT_EQ(VirtualKeyOfKeySym(XK_Shift_R), 0xA1u);
    EXPECT_EQ(KeySymOfVirtualKey(0), 0ul);
    EXPECT_EQ(KeySymOfVirtualKey(0xFF), 0ul);
    EXPECT_EQ(VirtualKeyOfKeySym(XK_dead_acute), 0u);
}

}
}
