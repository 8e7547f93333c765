#pragma once

// The section keywords of a layout file, in the order a header line is
// compared with them, and the object each one creates.

#include "panel/core/DesktopObject.h"
#include "platform/Types.h"

#include <memory>
#include <string_view>
#include <vector>

namespace panel {

enum class SectionKind { Object, GlobalSettings, Unknown };

struct Section {
    SectionKind kind = SectionKind::Unknown;
    std::unique_ptr<DesktopObject> object; // for SectionKind::Object
};

// The header line is compared by prefix; `window` is the panel the buttons belong to.
Section CreateSection(char16_t const* header, platform::WindowHandle window);
// Every keyword, in that order.
std::vector<std::u16string_view> SectionKeywords();

}
