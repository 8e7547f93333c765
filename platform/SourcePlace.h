#pragma once

// Where in a file the program is reading. A box shown meanwhile is about that
// line: the simulated device traces it, a check of the files prints it.
// Readers mark the file and the line they are at; readings nest (a layout
// file is read while the line of the settings file that names it is open).

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

struct SourcePlace {
    std::u16string file;
    // 1-based; 0 when the file itself is the subject (it was named on the command line).
    uint32_t line = 0;
};

class ReadingPlace {
public:
    explicit ReadingPlace(std::u16string_view file, uint32_t line = 0);
    explicit ReadingPlace(SourcePlace const& place)
        : ReadingPlace(place.file, place.line)
    {
    }
    ~ReadingPlace();
    ReadingPlace(ReadingPlace const&) = delete;
    ReadingPlace& operator=(ReadingPlace const&) = delete;

    void SetLine(uint32_t line) { place_.line = line; }
    SourcePlace const& Place() const { return place_; }

private:
    SourcePlace place_;
    ReadingPlace* outer_;
};

// The innermost place being read; none outside any reading.
SourcePlace const* CurrentSourcePlace();

}
