// The key-cap icons, drawn into the platform's icon resources.

#include "daemon/DaemonIcons.h"

#include "daemon/DaemonMessages.h"
#include "platform/Tray.h"

namespace brellum {

using namespace platform;

namespace {

// A key cap with a dark rim and a lighter top face, on a transparent ground.
Surface KeyCap(int32_t size, ColorRef face)
{
    Surface picture(size, size, 0);
    int32_t inset = size / 8;
    uint32_t rim = OpaquePixelOf(Rgb(0x20, 0x20, 0x20));
    uint32_t top = OpaquePixelOf(face);
    for (int32_t y = inset; y < size - inset; ++y) {
        for (int32_t x = inset; x < size - inset; ++x) {
            bool edge = y == inset || x == inset || y == size - inset - 1 || x == size - inset - 1;
            picture.Row(y)[x] = edge ? rim : top;
        }
    }
    return picture;
}

}

void RegisterDaemonIcons()
{
    AddIconResource(kProgramIcon, KeyCap(32, Rgb(0x3A, 0x6E, 0xA5)));
    AddIconResource(kActiveIcon, KeyCap(16, Rgb(0x30, 0xB0, 0x40)));
    AddIconResource(kInactiveIcon, KeyCap(16, Rgb(0xA0, 0xA0, 0xA0)));
}

}
