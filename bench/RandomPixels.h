#pragma once

// Seeded pixels, so that every run measures the same work.

#include <cstddef>
#include <cstdint>

namespace bench {

enum class AlphaMix {
    // Alpha uniform over 0 .. 255.
    Uniform,
    // As icons have it: 39 % fully transparent, 49 % opaque, the rest in between.
    Icon,
};

// Every byte random.
void FillRandom(uint32_t* pixels, size_t count, uint32_t seed);
// Random colours, the fourth byte by `mix`.
void FillRandomWithAlpha(uint32_t* pixels, size_t width, size_t height, AlphaMix mix, uint32_t seed);

}
