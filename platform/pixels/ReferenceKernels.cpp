// The kernels written pixel by pixel and byte by byte, as plainly as the
// arithmetic reads: what every faster set is measured and tested against.

#include "platform/pixels/PixelKernels.h"

#include <algorithm>

namespace platform::pixels {

namespace {

uint32_t ByteOf(uint32_t word, int index)
{
    return word >> (8 * index) & 0xFF;
}

// `weight` / 256 of the way from `from` to `to`, rounded down.
uint32_t ByteTowards(uint32_t from, uint32_t to, uint32_t weight)
{
    return uint32_t(int32_t(from) + ((int32_t(to) - int32_t(from)) * int32_t(weight) >> 8));
}

void Fill(uint32_t* row, ptrdiff_t rowStep, size_t width, size_t rows, uint32_t pixel)
{
    for (size_t j = 0; j < rows; ++j, row += rowStep) {
        for (size_t i = 0; i < width; ++i)
            row[i] = pixel;
    }
}

void BlendCoverageRow(uint32_t* row, uint8_t const* coverage, size_t count, uint32_t pixel)
{
    for (size_t i = 0; i < count; ++i) {
        uint32_t const c = coverage[i];
        if (c == 0)
            continue;
        uint32_t blended = 0;
        for (int b = 0; b < 3; ++b) {
            uint32_t const t = ByteOf(pixel, b) * c + ByteOf(row[i], b) * (255 - c) + 128;
            blended |= ((t + (t >> 8)) >> 8) << (8 * b);
        }
        row[i] = blended;
    }
}

void BlendCoverage(uint32_t* row, ptrdiff_t rowStep, uint8_t const* coverage, size_t coverageStep, size_t width,
    size_t rows, uint32_t pixel)
{
    for (size_t j = 0; j < rows; ++j, row += rowStep, coverage += coverageStep)
        BlendCoverageRow(row, coverage, width, pixel);
}

void BlendIcon(uint32_t* row, uint32_t const* source, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        uint32_t const alpha = source[i] >> 24;
        if (alpha == 255) {
            row[i] = source[i];
        } else if (alpha != 0) {
            uint32_t blended = row[i] & 0xFF000000;
            for (int b = 0; b < 3; ++b)
                blended |= ByteTowards(ByteOf(row[i], b), ByteOf(source[i], b), alpha) << (8 * b);
            row[i] = blended;
        }
    }
}

void MoveTowards(uint32_t* row, size_t count, uint32_t target, uint32_t weight, uint32_t mask)
{
    for (size_t i = 0; i < count; ++i) {
        uint32_t moved = 0;
        for (int b = 0; b < 4; ++b)
            moved |= ByteTowards(ByteOf(row[i], b), ByteOf(target, b), weight) << (8 * b);
        row[i] = moved & mask;
    }
}

uint32_t SmoothByte(uint32_t const* above, uint32_t const* here, uint32_t const* below, size_t j, int b,
    uint32_t centreWeight)
{
    auto at = [b](uint32_t const* row, size_t k) { return ByteOf(row[k], b); };
    return at(above, j - 1) + 2 * at(above, j) + at(above, j + 1) + 2 * at(here, j - 1) + centreWeight * at(here, j)
        + 2 * at(here, j + 1) + at(below, j - 1) + 2 * at(below, j) + at(below, j + 1);
}

void SmoothPlain(uint32_t* target, uint32_t const* above, uint32_t const* here, uint32_t const* below, size_t count)
{
    for (size_t j = 0; j < count; ++j) {
        uint32_t smoothed = 0;
        for (int b = 0; b < 3; ++b)
            smoothed |= (SmoothByte(above, here, below, j, b, 4) >> 4) << (8 * b);
        target[j] = smoothed;
    }
}

void SmoothTinted(uint32_t* target, uint32_t const* above, uint32_t const* here, uint32_t const* below, size_t count,
    uint32_t tint)
{
    for (size_t j = 0; j < count; ++j) {
        uint32_t smoothed = 0;
        for (int b = 0; b < 3; ++b)
            smoothed |= ((SmoothByte(above, here, below, j, b, 16) + 4 * ByteOf(tint, b)) >> 5) << (8 * b);
        target[j] = smoothed;
    }
}

void Ramp(uint32_t* row, size_t count, uint32_t from, uint32_t to, uint32_t steps)
{
    for (size_t i = 0; i < count; ++i) {
        uint32_t mixed = 0;
        for (int b = 0; b < 3; ++b)
            mixed |= ((ByteOf(from, b) * (steps - uint32_t(i)) + ByteOf(to, b) * uint32_t(i)) / steps) << (8 * b);
        row[i] = mixed;
    }
}

// Factors and amounts come red, green, blue, alpha; a word holds blue, green, red, alpha.
constexpr int kByteOfChannel[4] = { 2, 1, 0, 3 };

template<typename Change>
void ChangeVisible(uint32_t* pixels, size_t count, Change change)
{
    for (size_t i = 0; i < count; ++i) {
        if (pixels[i] >> 24 == 0)
            continue;
        uint32_t changed = 0;
        for (int channel = 0; channel < 4; ++channel) {
            int const b = kByteOfChannel[channel];
            changed |= change(ByteOf(pixels[i], b), channel) << (8 * b);
        }
        pixels[i] = changed;
    }
}

void ScaleChannels(uint32_t* pixels, size_t count, float const (&factors)[4])
{
    ChangeVisible(pixels, count, [&](uint32_t value, int channel) {
        float v = float(value) * factors[channel];
        if (255.0f < v)
            v = 255.0f;
        // Also catches a factor that is not a number.
        if (!(v > 0.0f))
            return 0u;
        return uint32_t(int32_t(v));
    });
}

void AddChannels(uint32_t* pixels, size_t count, int16_t const (&amounts)[4])
{
    ChangeVisible(pixels, count,
        [&](uint32_t value, int channel) { return uint32_t(std::clamp(int32_t(value) + amounts[channel], 0, 255)); });
}

void MakeGray(uint32_t* pixels, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (pixels[i] >> 24 == 0)
            continue;
        uint32_t const mean = (ByteOf(pixels[i], 0) + ByteOf(pixels[i], 1) + ByteOf(pixels[i], 2)) / 3;
        pixels[i] = (pixels[i] & 0xFF000000) | mean << 16 | mean << 8 | mean;
    }
}

}

Kernels const& ReferenceKernels()
{
    static constexpr Kernels kReference { "reference", Fill, BlendCoverage, BlendIcon, MoveTowards, SmoothPlain,
        SmoothTinted, Ramp, ScaleChannels, AddChannels, MakeGray };
    return kReference;
}

}
