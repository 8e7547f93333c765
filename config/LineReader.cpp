#include "config/LineReader.h"

#include <bit>

namespace config {

size_t ReadLine(platform::File& file, char16_t* buffer, size_t capacity, char16_t* ending)
{
    if (ending)
        *ending = 0;
    if (capacity == 0)
        return 0;
    size_t bytesRead = file.Read(buffer, (capacity - 1) * sizeof(char16_t));
    // An odd last byte is not a unit: it is overwritten by the terminator below.
    size_t units = bytesRead / sizeof(char16_t);
    if constexpr (std::endian::native == std::endian::big) {
        for (size_t i = 0; i < units; ++i)
            buffer[i] = char16_t((buffer[i] << 8) | (buffer[i] >> 8));
    }

    size_t end = 0;
    while (end < units && buffer[end] != u'\n' && buffer[end] != u'\r')
        ++end;
    if (end < units) {
        size_t consumed = end + 1;
        if (ending)
            *ending = buffer[end];
        if (buffer[end] == u'\r' && end + 1 < units && buffer[end + 1] == u'\n') {
            ++consumed;
            if (ending)
                *ending = u'\n';
        }
        // Back over what was read beyond the line end.
        file.SeekRelative(int64_t(consumed * sizeof(char16_t)) - int64_t(bytesRead));
    }
    buffer[end] = u'\0';
    return end;
}

}
