#include "bench/RandomPixels.h"

#include <random>

namespace bench {

void FillRandom(uint32_t* pixels, size_t count, uint32_t seed)
{
    std::mt19937 random(seed);
    for (size_t i = 0; i < count; ++i)
        pixels[i] = uint32_t(random());
}

void FillRandomWithAlpha(uint32_t* pixels, size_t width, size_t height, AlphaMix mix, uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<uint32_t> between(1, 254);
    for (size_t i = 0; i < width * height; ++i) {
        uint32_t alpha = random() >> 24;
        if (mix == AlphaMix::Icon) {
            // Laid out as icons are, in tiles of 48 x 48: an opaque disc
            // (49 %), a soft edge, clear corners (39 %).
            int64_t const x = int64_t(i % width % 48) * 2 - 47;
            int64_t const y = int64_t(i / width % 48) * 2 - 47;
            int64_t const distance = x * x + y * y; // four times the squared radius
            alpha = distance < 4 * 19 * 19 ? 255 : distance >= 4 * 21 * 21 + 4 * 21 ? 0 : between(random);
        }
        pixels[i] = (uint32_t(random()) & 0x00FFFFFF) | alpha << 24;
    }
}

}
