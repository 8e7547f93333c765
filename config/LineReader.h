#pragma once

// Reads one line of a UTF-16LE file into a fixed buffer. CR LF, LF and CR
// end a line alike; a line longer than the buffer comes back in pieces.

#include "platform/File.h"
#include "platform/SourcePlace.h"

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
// `ending`, when given, receives the unit that ended the line: u'\r', u'\n'
// (also for CR LF), or 0 when none did.
size_t ReadLine(platform::File& file, char16_t* buffer, size_t capacity, char16_t* ending = nullptr);

// Reads line after line while the file position is below its size, calling
// `each(length)` with the line in `buffer`. Meanwhile the file and the number
// of the physical line are the place being read; the pieces of a long line
// all carry the number of the line they came from. Stops early should a read
// make no progress, which would otherwise repeat forever.
template<typename Each>
void ForEachLine(platform::File& file, char16_t* buffer, size_t capacity, Each each)
{
    platform::ReadingPlace place(file.Path());
    uint32_t lineNumber = 1;
    char16_t previousEnding = 0;
    while (file.Position() < file.Size()) {
        uint64_t before = file.Position();
        char16_t ending = 0;
        size_t length = ReadLine(file, buffer, capacity, &ending);
        if (file.Position() == before)
            return;
        // A CR LF that a full buffer split: the empty line of its LF is on the CR's line.
        bool const splitLineEnd = previousEnding == u'\r' && length == 0 && ending == u'\n';
        place.SetLine(splitLineEnd ? lineNumber - 1 : lineNumber);
        each(length);
        if (ending != 0 && !splitLineEnd)
            ++lineNumber;
        previousEnding = ending;
    }
}

}
