#pragma once

// The keys each section of the panel's layout files and the daemon's binding
// files takes, from the programs' own key tables: what the studio's editor
// completes.

#include <string_view>
#include <vector>

namespace studio {

struct SectionKeys {
    std::u16string_view keyword;
    // In the order the program tries them, each name once.
    std::vector<std::u16string_view> keys;
};

std::vector<SectionKeys> PanelSectionKeys();
std::vector<SectionKeys> DaemonSectionKeys();

}
