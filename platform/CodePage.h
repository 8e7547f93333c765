#pragma once

// The device's ANSI code page, Western European (Windows-1252).

#include <string>
#include <string_view>

namespace platform {

char16_t AnsiToWide(unsigned char c);
std::u16string AnsiToWide(std::string_view text);

}
