#pragma once

// Splits a parameter string into words as the platform's programs split their
// command line: blanks separate words, double quotes group them, and
// backslashes escape quotes only when they stand right before one.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

std::vector<std::u16string> CommandLineWords(std::u16string_view parameters);

}
