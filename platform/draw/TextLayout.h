#pragma once

// How DrawText divides a text into lines: prefix characters resolved, lines
// broken at CR LF (or a lone CR or LF) unless on a single line, and, with word
// break, wrapped at blanks so that each line fits the rectangle's width.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct TextLine {
    std::u32string characters;
    std::vector<size_t> underlined; // positions in `characters` marked by a prefix '&'
    int32_t width = 0;
};

using AdvanceOf = std::function<int32_t(char32_t)>;

// `format` holds the DrawText flags. An empty text has no lines; a line break
// at the very end starts none.
std::vector<TextLine> LayOutText(std::u16string_view text, uint32_t format, int32_t wrapWidth, AdvanceOf const& advance);

}
