#pragma once

// Device-independent bitmap files: the file header, an information header of
// any of the platform's sizes (12, 40, 52, 56, 108, 124 bytes), palettes of 1,
// 4 and 8 bits, 16 bits with 5-5-5 or given masks, 24 and 32 bits, rows bottom-up
// or top-down, and run-length encoding of 8 and 4 bits.

#include "platform/File.h"
#include "platform/draw/Surface.h"

#include <optional>

namespace platform {

// The picture read from the file's current position. None for anything
// truncated, inconsistent, unsupported or too large (BitmapLimits.h).
std::optional<Surface> ReadBitmapFile(File& file);

}
