#pragma once

// Conversions at the platform's edges (host file names, fonts, the trace) and
// the characters of UTF-16 text for drawing it.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Invalid sequences become U+FFFD.
std::u16string FromUtf8(std::string_view text);
// A number in decimal digits, '-' before a negative one.
std::u16string DecimalText(int64_t value);

// The character at `i`, which moves past it; an unpaired surrogate is U+FFFD.
char32_t NextCharacter(std::u16string_view text, size_t& i);
// The characters of UTF-16 text; an unpaired surrogate becomes U+FFFD.
std::u32string DecodeUtf16(std::u16string_view text);

}
