#pragma once

// The platform's virtual-key codes and the X key symbols they stand for. The
// device's application keys 0xC1 to 0xCF have no keys of their own on a
// desktop keyboard; they are the spare launch keys XF86Launch1 to XF86LaunchF.

#include <cstdint>

namespace platform {

// 0 when the virtual key has no key symbol.
unsigned long KeySymOfVirtualKey(uint32_t virtualKey);
// Whether a desktop keyboard has a key for the virtual key.
bool HasKeySymFor(uint32_t virtualKey);
// 0 when the key symbol stands for no virtual key.
uint32_t VirtualKeyOfKeySym(unsigned long keySym);

}
