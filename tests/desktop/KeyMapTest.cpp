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

TEST(X11KeyMap, EveryKindOfKeyTheDeviceNamesHasASymbol)
{
    struct Range {
        char const* kind;
        uint32_t first;
        uint32_t last;
    };
    for (Range range : { Range { "letters", 0x41, 0x5A }, Range { "digits", 0x30, 0x39 }, Range { "F1-F24", 0x70, 0x87 },
             Range { "cursor", 0x21, 0x28 }, Range { "Insert, Delete", 0x2D, 0x2E }, Range { "keypad", 0x60, 0x6F },
             Range { "modifiers", 0x10, 0x12 }, Range { "sided modifiers", 0xA0, 0xA5 },
             Range { "browser and media", 0xA6, 0xB7 }, Range { "application", 0xC1, 0xCF } }) {
        for (uint32_t key = range.first; key <= range.last; ++key)
            EXPECT_NE(KeySymOfVirtualKey(key), 0ul) << range.kind << " " << std::hex << key;
    }
    for (uint32_t key : { 0x0D, 0x1B, 0x09, 0x20 })
        EXPECT_NE(KeySymOfVirtualKey(key), 0ul) << std::hex << key;
    EXPECT_EQ(KeySymOfVirtualKey(0xA6), KeySym(XF86XK_Back));
    EXPECT_EQ(KeySymOfVirtualKey(0xAD), KeySym(XF86XK_AudioMute));
    EXPECT_EQ(KeySymOfVirtualKey(0x25), KeySym(XK_Left));
    EXPECT_EQ(KeySymOfVirtualKey(0x60), KeySym(XK_KP_0));
    // The application keys are the spare launch keys, in their order.
    for (uint32_t i = 0; i < 15; ++i)
        EXPECT_EQ(KeySymOfVirtualKey(0xC1 + i), KeySym(XF86XK_Launch1 + i)) << i;
}

}
}
