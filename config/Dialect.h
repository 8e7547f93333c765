#pragma once

// The panel and the key-binding daemon read the same file format; these are
// the few points where their readers behave differently.

#include "platform/MessageBox.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace config {

struct Dialect {
    // Caption word of the "unknown section type" box.
    std::u16string_view programWord;
    // First units that make a boolean value true.
    std::u16string_view trueUnits;
    // Added to the flags of every message box.
    uint32_t boxPlacement;
    // How much of the path fits behind the text of the "not Unicode" box.
    size_t notUnicodePathLimit;
};

// The panel's message buffer holds 260 units, 49 of them taken by the text.
inline constexpr Dialect kPanelDialect { u"Vessarine", u"1jy", platform::Box::SetForeground, 210 };
inline constexpr Dialect kDaemonDialect { u"Brellum", u"1y", 0, 259 };

}
