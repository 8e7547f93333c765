#pragma once

// Where the parts of a message box drawn by us lie: the caption bar, the
// icon, the text and the row of buttons, measured with our renderer, and the
// box's place in the middle of the screen. Also which buttons a flag word
// asks for and what a box answers when it is closed without them.

#include "platform/Drawing.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A view's length as the drawing calls count it.
inline int32_t CountOf(std::u16string_view text)
{
    return int32_t(std::min<size_t>(text.size(), INT32_MAX));
}

// How the text is laid out and drawn.
constexpr uint32_t kBoxTextFormat = TextFormat::WordBreak | TextFormat::NoPrefix;

struct BoxButton {
    BoxResult result;
    std::u16string_view label;
    Rect rect; // window coordinates
};

struct BoxLayout {
    Rect window; // on the screen
    Rect caption; // the bar
    Rect title; // its text within it
    Rect icon; // empty for a box without icon
    Rect text;
    // The text as drawn: words too long for a line are broken.
    std::u16string lines;
    std::vector<BoxButton> buttons; // the first is the default
};

// The caption's font: the default face, bold.
LogFont BoxCaptionFont();

BoxLayout LayOutBox(std::u16string_view text, std::u16string_view caption, uint32_t flags);

// Escape answers Cancel where there is one, No for Yes and No, OK for OK alone,
// and nothing for the other sets.
std::optional<BoxResult> EscapeAnswer(uint32_t flags);
// What a box answers when a quit request or the end of the run closes it.
BoxResult ClosingAnswer(uint32_t flags);

}
