#pragma once

// Numbers as file formats store them: the least significant byte first.

#include <cstdint>

namespace platform {

constexpr uint16_t ReadLittle16(uint8_t const* bytes)
{
    return uint16_t(bytes[0] | (bytes[1] << 8));
}

constexpr uint32_t ReadLittle32(uint8_t const* bytes)
{
    return uint32_t(bytes[0]) | (uint32_t(bytes[1]) << 8) | (uint32_t(bytes[2]) << 16) | (uint32_t(bytes[3]) << 24);
}

}
