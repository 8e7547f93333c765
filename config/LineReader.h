#pragma once

// Reads one line of a UTF-16LE file into a fixed buffer. CR LF, LF and CR
// end a line alike; a line longer than the buffer comes back in pieces.

#include "platform/File.h"

#include <cstddef>

namespace config {

// Layout files and the daemon's file: at most 259 characters a line.
constexpr size_t kLineCapacity = 260;
// The panel's settings file: at most 255.
constexpr size_t kSettingsLineCapacity = 256;

// Returns the number of units of the line, which is NUL-terminated in
// `buffer` without its line end; 0 for an empty line, at the end of the file
// or on a read error. The file is left just after the line end, or after the
// units read when none was among them.
size_t ReadLine(platform::File& file, char16_t* buffer, size_t capacity);

// Reads line after line while the file position is below its size, calling
// `each(length)` with the line in `buffer`. Stops early should a read make no
// progress, which would otherwise repeat forever.
template<typename Each>
void ForEachLine(platform::File& file, char16_t* buffer, size_t capacity, Each each)
{
    while (file.Position() < file.Size()) {
        uint64_t before = file.Position();
        size_t length = ReadLine(file, buffer, capacity);
        if (file.Position() == before)
            return;
        each(length);
    }
}

}
