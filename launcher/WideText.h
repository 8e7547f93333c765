#pragma once

// Small edits of wide text that the run list makes on its entries and paths.

#include "platform/TextCase.h"

#include <string>
#include <string_view>

namespace launcher {

// Names compare without regard to case as the device compares them.
using platform::LowerCase;

void RemoveAll(std::u16string& text, char16_t unit);
void RemoveLeadingBlanks(std::u16string& text);

}
