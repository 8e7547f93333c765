#pragma once

// The daemon's one window: key-code probe, state fields and tray field. It
// owns the press tracker and forwards the key and timer notifications to it.

#include "platform/Types.h"

#include <string_view>

namespace brellum {

inline constexpr std::u16string_view kDaemonClassName = u"Brellum.Class";
inline constexpr std::u16string_view kDaemonTitle = u"Brellum v1.3";

platform::LResult DaemonWindowProcedure(platform::WindowHandle window, uint32_t message, platform::WParam wParam,
    platform::LParam lParam);

}
