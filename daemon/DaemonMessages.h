#pragma once

// The daemon window's private messages and the numbers it shares with the tray.

#include <cstdint>

namespace brellum {

// The tray icon's callback message.
constexpr uint32_t TrayMessage = 0x8001;
// Posted by the press tracker: wParam is the new state, lParam the binding count.
constexpr uint32_t StateMessage = 0x8002;
// The binding file in use changed on disk (--watch).
constexpr uint32_t FileChangedMessage = 0x8003;

namespace State {
constexpr uintptr_t Active = 0;
constexpr uintptr_t Inactive = 1;
constexpr uintptr_t Loaded = 2;
}

// Icon resources of the program.
constexpr int32_t kProgramIcon = 101;
constexpr int32_t kActiveIcon = 102;
constexpr int32_t kInactiveIcon = 103;

}
