#pragma once

// How DrawText divides a text into lines: prefix characters resolved, lines
// broken at CR LF (or a lone CR or LF) unless on a single line, and, with word
// break, wrapped at blanks so that each line fits the rectangle's width.

#include <cstdint>
#include <functional>
#include <span>
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

// Keeps its buffers from one text to the next, so that drawing the same
// texts again and again allocates nothing.
class TextLayout {
public:
    // `format` holds the DrawText flags. An empty text has no lines; a line
    // break at the very end starts none. The lines stay valid until the next call.
    std::span<TextLine const> LayOut(std::u16string_view text, uint32_t format, int32_t wrapWidth, AdvanceOf const& advance);

    struct Unit {
        char32_t character;
        bool underlined;
    };

private:
    void ResolvePrefixes(std::u16string_view text, bool prefixes);
    void Wrap(std::span<Unit const> paragraph, int32_t wrapWidth, AdvanceOf const& advance);
    TextLine& NewLine();

    std::vector<Unit> units_;
    std::vector<TextLine> lines_;
    size_t lineCount_ = 0;
};

}
