#pragma once

// Conversions at the platform's edges: host file names, fonts, the trace.

#include <string>
#include <string_view>

namespace platform {

// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Invalid sequences become U+FFFD.
std::u16string FromUtf8(std::string_view text);

}
