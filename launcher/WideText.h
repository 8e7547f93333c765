#pragma once

// Small edits of wide text that the run list makes on its entries and paths.

#include <string>
#include <string_view>

namespace launcher {

// ASCII and Latin-1 letters; every other unit stays, so positions found in
// the result are positions in the original.
std::u16string LowerCase(std::u16string_view text);
void RemoveAll(std::u16string& text, char16_t unit);
void RemoveLeadingBlanks(std::u16string& text);

}
