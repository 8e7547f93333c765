#include "config/FileEncoding.h"

#include "platform/Utf.h"

namespace config {

static bool StartsWith(std::span<uint8_t const> bytes, std::initializer_list<uint8_t> mark)
{
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

// Well-formed UTF-8 up to the last whole sequence of the sample.
static bool IsUtf8(std::span<uint8_t const> bytes)
{
    size_t i = 0;
    while (i < bytes.size()) {
        uint8_t const lead = bytes[i];
        size_t const length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0)
            return false;
        for (size_t k = 1; k < length; ++k) {
            if (i + k >= bytes.size())
                return true;
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

std::string_view GuessEncoding(std::span<uint8_t const> start)
{
    if (start.empty() || StartsWith(start, { 0xFF, 0xFE }))
        return {};
    if (StartsWith(start, { 0xFE, 0xFF }))
        return "UTF-16";
    if (StartsWith(start, { 0xEF, 0xBB, 0xBF }))
        return "UTF-8";
    size_t zeroEven = 0;
    size_t zeroOdd = 0;
    for (size_t i = 0; i < start.size(); ++i) {
        if (start[i] == 0)
            ++(i % 2 == 0 ? zeroEven : zeroOdd);
    }
    // Text in Latin letters has a zero in every other byte in UTF-16.
    if (zeroOdd * 4 >= start.size() && zeroOdd > zeroEven)
        return "UTF-16LE";
    if (zeroEven * 4 >= start.size() && zeroEven > zeroOdd)
        return "UTF-16BE";
    return IsUtf8(start) ? "UTF-8" : "WINDOWS-1252";
}

std::u16string ConversionCommand(std::string_view encoding, std::u16string_view userPath)
{
    std::u16string command = u"iconv -f " + platform::FromUtf8(encoding) + u" -t UTF-16 ";
    command += userPath;
    command += u" > NEW";
    return command;
}

}
