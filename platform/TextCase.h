#pragma once

// Letter case of UTF-16 text, for names that compare without regard to it:
// folders and libraries on the device, entries of the launcher's run list.

#include <string>
#include <string_view>

namespace platform {

// ASCII and Latin-1 letters; every other unit stays, so positions found in
// the result are positions in the original.
std::u16string LowerCase(std::u16string_view text);

}
