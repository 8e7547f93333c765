#pragma once

// Opening a configuration file: it must exist and begin with the UTF-16LE
// byte-order mark. Both failures are reported here.

#include "config/Dialect.h"
#include "platform/File.h"

#include <string_view>

namespace config {

// The open file, positioned after the byte-order mark; a closed file after a
// reported failure. `notFoundCaption` is the caption of the "not found" box.
platform::File OpenConfigFile(Dialect const& dialect, std::u16string_view path, std::u16string_view notFoundCaption);

}
