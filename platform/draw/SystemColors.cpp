#include "platform/Drawing.h"

#include <iterator>

namespace platform {

namespace {

// The classic standard scheme, in index order: grey faces with white and
// black edges, a teal desktop and navy captions.
constexpr ColorRef kClassicScheme[] = {
    Rgb(0xC0, 0xC0, 0xC0), // scroll bar
    Rgb(0x00, 0x80, 0x80), // desktop
    Rgb(0x00, 0x00, 0x80), // active caption
    Rgb(0x80, 0x80, 0x80), // inactive caption
    Rgb(0xC0, 0xC0, 0xC0), // menu
    Rgb(0xFF, 0xFF, 0xFF), // window
    Rgb(0x00, 0x00, 0x00), // window frame
    Rgb(0x00, 0x00, 0x00), // menu text
    Rgb(0x00, 0x00, 0x00), // window text
    Rgb(0xFF, 0xFF, 0xFF), // caption text
    Rgb(0xC0, 0xC0, 0xC0), // active border
    Rgb(0xC0, 0xC0, 0xC0), // inactive border
    Rgb(0x80, 0x80, 0x80), // application workspace
    Rgb(0x00, 0x00, 0x80), // highlight
    Rgb(0xFF, 0xFF, 0xFF), // highlight text
    Rgb(0xC0, 0xC0, 0xC0), // button face
    Rgb(0x80, 0x80, 0x80), // button shadow
    Rgb(0x80, 0x80, 0x80), // grey text
    Rgb(0x00, 0x00, 0x00), // button text
    Rgb(0xC0, 0xC0, 0xC0), // inactive caption text
    Rgb(0xFF, 0xFF, 0xFF), // button highlight
    Rgb(0x00, 0x00, 0x00), // dark shadow
    Rgb(0xE0, 0xE0, 0xE0), // light
    Rgb(0x00, 0x00, 0x00), // tooltip text
    Rgb(0xFF, 0xFF, 0xE1), // tooltip background
};

}

ColorRef GetSysColor(int32_t index)
{
    int32_t const number = index & ~SystemColor::IndexFlag;
    if (number < 0 || number >= int32_t(std::size(kClassicScheme)))
        return 0;
    return kClassicScheme[number];
}

}
