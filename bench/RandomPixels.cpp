#include "bench/RandomPixels.h"

#include <random>

namespace bench {

void FillRandom(uint32_t* pixels, size_t count, uint32_t seed)
{
    std::mt19937 random(seed);
    for (size_t i = 0; i < count; ++i)
        pixels[i] = uint32_t(random());
}

void FillRandomWithAlpha(uint32_t* pixels, size_t count, AlphaMix mix, uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<uint32_t> percent(0, 99);
    std::uniform_int_distribution<uint32_t> between(1, 254);
    for (size_t i = 0; i < count; ++i) {
        uint32_t alpha = random() >> 24;
        if (mix == AlphaMix::Icon) {
            uint32_t const p = percent(random);
            alpha = p < 39 ? 0 : p < 88 ? 255 : between(random);
        }
        pixels[i] = (uint32_t(random()) & 0x00FFFFFF) | alpha << 24;
    }
}

}
