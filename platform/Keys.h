#pragma once

// Keys beyond a window's own: system-wide registration of a key, which then
// notifies its window with the hot-key message (0x0312) instead of going to
// the focused window, and key events synthesised as if typed.

#include "platform/Types.h"

namespace platform {

// Identifier and key of a registration; false when the key is already registered.
bool RegisterHotKey(WindowHandle window, int32_t id, uint32_t modifiers, uint32_t virtualKey);
bool UnregisterHotKey(WindowHandle window, int32_t id);

// The bit of GetAsyncKeyState's answer that says the key is down now.
constexpr uint16_t kKeyIsDown = 0x8000;

// Modifier keys that a registration names, held together with its key.
constexpr uint32_t kModifierAlt = 0x1;
constexpr uint32_t kModifierControl = 0x2;
constexpr uint32_t kModifierShift = 0x4;
constexpr uint32_t kModifierWin = 0x8;

// Flags of a synthesised key event.
constexpr uint32_t kKeyEventKeyUp = 0x0002;
constexpr uint32_t kKeyEventSilent = 0x0004; // no key click

// Whether some key of this keyboard produces the virtual key.
bool KeyExists(uint32_t virtualKey);

void KeybdEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags, uintptr_t extraInfo);

}
