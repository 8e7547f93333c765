#pragma once

// A short English word on the cause and the fix of each box a file can cause,
// printed beside the box's German caption and text.

#include <string_view>

namespace check {

std::string_view ExplanationOf(std::u16string_view caption, std::u16string_view text);

}
