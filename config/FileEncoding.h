#pragma once

// What a file without the UTF-16LE byte-order mark most likely is, so that a
// check can name the one command that makes it readable.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace config {

// The encoding the first bytes of a file suggest, as iconv names it; empty
// when they are the UTF-16LE byte-order mark or nothing at all.
std::string_view GuessEncoding(std::span<uint8_t const> start);

// "iconv -f ENCODING -t UTF-16 FILE > NEW": iconv's UTF-16 is little-endian
// with the byte-order mark, as the files must be.
std::u16string ConversionCommand(std::string_view encoding, std::u16string_view userPath);

}
