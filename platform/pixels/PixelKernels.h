#pragma once

// The loops that touch pixels, one row at a time. Pixels are 32-bit words
// 0xAARRGGBB (blue in the low byte); the fourth byte is an icon's alpha and
// is otherwise carried along as each kernel says.
//
// Every kernel exists twice or more: a plain scalar reference, which builds
// everywhere and says what the result is, and vector versions that must give
// identical pixels. The vector set that suits the processor is chosen once, at
// the first call; tests and benchmarks may put the reference in its place.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::pixels {

struct Kernels {
    char const* name;

    // Small areas come whole, in `rows` rows of `width` words, each row
    // `rowStep` words after the one before (negative for pictures stored
    // bottom-up): one call, not one a row.

    // Copies of `pixel`.
    void (*fill)(uint32_t* row, ptrdiff_t rowStep, size_t width, size_t rows, uint32_t pixel);

    // `pixel` mixed in by 8-bit coverage, a row of it every `coverageStep`
    // bytes: each colour byte becomes (pixel * c + old * (255 - c)) / 255,
    // exactly rounded, and the fourth byte 0; where c is 0 the word stays.
    void (*blendCoverage)(uint32_t* row, ptrdiff_t rowStep, uint8_t const* coverage, size_t coverageStep, size_t width,
        size_t rows, uint32_t pixel);

    // An icon row over the row: with alpha 255 the source word replaces the
    // old one, else each colour byte moves alpha / 256 of the way towards the
    // source's, rounded down, and the fourth byte stays.
    void (*blendIcon)(uint32_t* row, uint32_t const* source, size_t count);

    // Each byte whose place `mask` keeps moves weight / 256 (0..255) of the
    // way towards `target`'s, rounded down; the other bytes become 0.
    void (*moveTowards)(uint32_t* row, size_t count, uint32_t target, uint32_t weight, uint32_t mask);

    // One row of a 3 x 3 smoothing: `target[j]` from the nine words around
    // `here[j]` (j = 0 .. count - 1, so `here[-1]` and `here[count]` are read).
    // Plain weights 1 2 1 / 2 4 2 / 1 2 1, sum shifted right by 4; tinted ones
    // 1 2 1 / 2 16 2 / 1 2 1 plus four times the tint, shifted by 5. The
    // fourth byte becomes 0.
    void (*smoothPlain)(uint32_t* target, uint32_t const* above, uint32_t const* here, uint32_t const* below,
        size_t count);
    void (*smoothTinted)(uint32_t* target, uint32_t const* above, uint32_t const* here, uint32_t const* below,
        size_t count, uint32_t tint);

    // A colour ramp: word i gets, in each of its three low bytes,
    // (from * (steps - i) + to * i) / steps truncated; the fourth byte 0.
    // Needs count <= steps <= 16384.
    void (*ramp)(uint32_t* row, size_t count, uint32_t from, uint32_t to, uint32_t steps);

    // Icon recolouring; words whose fourth byte (alpha) is 0 stay as they are.
    // Each byte times its factor (red, green, blue, alpha), capped at 255,
    // truncated, a negative or undefined product giving 0.
    void (*scaleChannels)(uint32_t* pixels, size_t count, float const (&factors)[4]);
    // Each byte plus its amount (red, green, blue, alpha), kept within 0..255.
    void (*addChannels)(uint32_t* pixels, size_t count, int16_t const (&amounts)[4]);
    // Red, green and blue become their mean, truncated.
    void (*makeGray)(uint32_t* pixels, size_t count);
};

Kernels const& ReferenceKernels();
// The fastest set this processor runs.
Kernels const& BestKernels();
// Every vector set this processor runs, the best last; for tests.
std::vector<Kernels const*> RunnableKernels();
// What the drawing code calls: the best set unless a KernelChoice says otherwise.
Kernels const& ActiveKernels();

// Puts another set in place for as long as it lives; not for threads that draw.
class KernelChoice {
public:
    explicit KernelChoice(Kernels const& kernels);
    ~KernelChoice();
    KernelChoice(KernelChoice const&) = delete;
    KernelChoice& operator=(KernelChoice const&) = delete;

private:
    Kernels const* previous_;
};

}
