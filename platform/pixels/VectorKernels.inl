// The kernels on whole vectors of pixels. Included by one source file per
// instruction set, inside a namespace of its own and with KERNEL_BYTES set to
// the width of its vectors; written with the compiler's generic vectors, so
// the including file's flags pick the instructions. Everything here has
// internal linkage and calls nothing outside, so the linker can never hand a
// function built for a wider set to a caller built for a narrower one.
//
// Colour bytes are worked on in 16-bit lanes: every product below stays
// under 65536, so each result is exact and equals the reference's.

namespace {

constexpr size_t kPixels = KERNEL_BYTES / 4;

typedef uint8_t Bytes __attribute__((vector_size(KERNEL_BYTES)));
typedef uint16_t Wide __attribute__((vector_size(2 * KERNEL_BYTES)));
typedef uint32_t Words __attribute__((vector_size(KERNEL_BYTES)));
typedef int32_t Ints __attribute__((vector_size(4 * KERNEL_BYTES)));
typedef float Floats __attribute__((vector_size(4 * KERNEL_BYTES)));
typedef uint8_t PixelBytes __attribute__((vector_size(kPixels)));

template<typename Vector>
Vector Load(void const* from)
{
    Vector vector;
    __builtin_memcpy(&vector, from, sizeof vector);
    return vector;
}

template<typename Vector>
void Store(void* to, Vector vector)
{
    __builtin_memcpy(to, &vector, sizeof vector);
}

Wide Widen(Words words)
{
    return __builtin_convertvector((Bytes)words, Wide);
}

// Every lane must be below 256.
Words Narrow(Wide wide)
{
    return (Words)__builtin_convertvector(wide, Bytes);
}

Words Broadcast(uint32_t word)
{
    return Words {} + word;
}

// One byte a pixel copied into the byte places of its word that `lanes` names
// with a 1 (0x01010101: all four).
Words Spread(PixelBytes bytes, uint32_t lanes)
{
    return __builtin_convertvector(bytes, Words) * lanes;
}

// Runs `block(offset)` on each whole vector of a row, then `tail(offset,
// rest)` once on what is left, which works on zeroed stand-ins of a whole
// vector, so the last pixels take the same arithmetic as all others.
template<typename Block, typename Tail>
void ForEachBlock(size_t count, Block block, Tail tail)
{
    size_t i = 0;
    for (; i + kPixels <= count; i += kPixels)
        block(i);
    if (i < count)
        tail(i, count - i);
}

void Fill(uint32_t* row, size_t count, uint32_t pixel)
{
    Words const words = Broadcast(pixel);
    size_t i = 0;
    for (; i + kPixels <= count; i += kPixels)
        Store(row + i, words);
    for (; i < count; ++i)
        row[i] = pixel;
}

void BlendCoverage(uint32_t* row, uint8_t const* coverage, size_t count, uint32_t pixel)
{
    Wide const source = Widen(Broadcast(pixel));
    auto blend = [&](uint32_t* words, uint8_t const* weights) {
        Words const old = Load<Words>(words);
        Words const spread = Spread(Load<PixelBytes>(weights), 1);
        Wide const a = Widen(spread * 0x01010101u);
        // (t + (t >> 8)) >> 8 divides by 255 exactly rounded (t includes the half).
        Wide const t = source * a + Widen(old) * (255 - a) + 128;
        Words const keepFourth = (Words)(spread == 0) & 0xFF000000u;
        Store(words, (Narrow((t + (t >> 8)) >> 8) & 0x00FFFFFFu) | (old & keepFourth));
    };
    ForEachBlock(
        count, [&](size_t i) { blend(row + i, coverage + i); },
        [&](size_t i, size_t rest) {
            uint32_t words[kPixels] = {};
            uint8_t weights[kPixels] = {};
            __builtin_memcpy(words, row + i, rest * 4);
            __builtin_memcpy(weights, coverage + i, rest);
            blend(words, weights);
            __builtin_memcpy(row + i, words, rest * 4);
        });
}

void BlendIcon(uint32_t* row, uint32_t const* source, size_t count)
{
    auto blend = [](uint32_t* words, uint32_t const* icon) {
        Words const old = Load<Words>(words);
        Words const from = Load<Words>(icon);
        Words const alpha = from >> 24;
        // Weight alpha for the colour bytes, 0 for the fourth, which so stays.
        Wide const w = Widen(alpha * 0x00010101u);
        Words const mixed = Narrow((Widen(old) * (256 - w) + Widen(from) * w) >> 8);
        Words const opaque = (Words)(alpha == 255);
        Store(words, (mixed & ~opaque) | (from & opaque));
    };
    ForEachBlock(
        count, [&](size_t i) { blend(row + i, source + i); },
        [&](size_t i, size_t rest) {
            uint32_t words[kPixels] = {};
            uint32_t icon[kPixels] = {};
            __builtin_memcpy(words, row + i, rest * 4);
            __builtin_memcpy(icon, source + i, rest * 4);
            blend(words, icon);
            __builtin_memcpy(row + i, words, rest * 4);
        });
}

void MoveTowards(uint32_t* row, size_t count, uint32_t target, uint32_t weight, uint32_t mask)
{
    Wide const goal = Widen(Broadcast(target)) * uint16_t(weight);
    uint16_t const stay = uint16_t(256 - weight);
    auto move = [&](uint32_t* words) { Store(words, Narrow((Widen(Load<Words>(words)) * stay + goal) >> 8) & mask); };
    ForEachBlock(
        count, [&](size_t i) { move(row + i); },
        [&](size_t i, size_t rest) {
            uint32_t words[kPixels] = {};
            __builtin_memcpy(words, row + i, rest * 4);
            move(words);
            __builtin_memcpy(row + i, words, rest * 4);
        });
}

// Three rows and a result row, each reaching one word before and after what
// is smoothed.
struct Neighbourhood {
    uint32_t const* above;
    uint32_t const* here;
    uint32_t const* below;
};

// Weights 1 2 1 / 2 4 2 / 1 2 1 over the words at `j`: each column's
// 1 2 1 first, then the columns 1 2 1.
Wide SmoothSum(Neighbourhood rows, size_t j)
{
    auto column = [&](size_t k) {
        return Widen(Load<Words>(rows.above + k)) + 2 * Widen(Load<Words>(rows.here + k))
            + Widen(Load<Words>(rows.below + k));
    };
    return column(j - 1) + 2 * column(j) + column(j + 1);
}

template<typename Smooth>
void ForEachSmoothBlock(uint32_t* target, Neighbourhood rows, size_t count, Smooth smooth)
{
    ForEachBlock(
        count, [&](size_t j) { Store(target + j, smooth(rows, j)); },
        [&](size_t j, size_t rest) {
            uint32_t above[kPixels + 2] = {};
            uint32_t here[kPixels + 2] = {};
            uint32_t below[kPixels + 2] = {};
            __builtin_memcpy(above, rows.above + j - 1, (rest + 2) * 4);
            __builtin_memcpy(here, rows.here + j - 1, (rest + 2) * 4);
            __builtin_memcpy(below, rows.below + j - 1, (rest + 2) * 4);
            Words const smoothed = smooth(Neighbourhood { above + 1, here + 1, below + 1 }, 0);
            __builtin_memcpy(target + j, &smoothed, rest * 4);
        });
}

void SmoothPlain(uint32_t* target, uint32_t const* above, uint32_t const* here, uint32_t const* below, size_t count)
{
    ForEachSmoothBlock(target, { above, here, below }, count,
        [](Neighbourhood rows, size_t j) { return Narrow(SmoothSum(rows, j) >> 4) & 0x00FFFFFFu; });
}

void SmoothTinted(uint32_t* target, uint32_t const* above, uint32_t const* here, uint32_t const* below, size_t count,
    uint32_t tint)
{
    // The centre weighs 16: 4 from the plain weights, 12 more.
    Wide const tintTerm = 4 * Widen(Broadcast(tint));
    ForEachSmoothBlock(target, { above, here, below }, count, [&](Neighbourhood rows, size_t j) {
        Wide const sum = SmoothSum(rows, j) + 12 * Widen(Load<Words>(rows.here + j)) + tintTerm;
        return Narrow(sum >> 5) & 0x00FFFFFFu;
    });
}

// In doubles: (n + 1/2) / steps lies at least 1/(2 steps) from any whole
// number, far more than the rounding of one product, so truncating it gives
// exactly the integer quotient.
void Ramp(uint32_t* row, size_t count, uint32_t from, uint32_t to, uint32_t steps)
{
    double const inverse = 1.0 / double(steps);
    double start[3];
    double slope[3];
    for (int b = 0; b < 3; ++b) {
        double const first = double(from >> (8 * b) & 0xFF);
        start[b] = first * double(steps) + 0.5;
        slope[b] = double(to >> (8 * b) & 0xFF) - first;
    }
    for (size_t i = 0; i < count; ++i) {
        double const step = double(uint32_t(i));
        uint32_t const blue = uint32_t((start[0] + slope[0] * step) * inverse);
        uint32_t const green = uint32_t((start[1] + slope[1] * step) * inverse);
        uint32_t const red = uint32_t((start[2] + slope[2] * step) * inverse);
        row[i] = red << 16 | green << 8 | blue;
    }
}

// Factors and amounts come red, green, blue, alpha; a word holds blue, green, red, alpha.
template<typename Vector, typename Value>
Vector PerByte(Value const (&channels)[4])
{
    Vector vector {};
    for (size_t lane = 0; lane < 4 * kPixels; lane += 4) {
        vector[lane] = channels[2];
        vector[lane + 1] = channels[1];
        vector[lane + 2] = channels[0];
        vector[lane + 3] = channels[3];
    }
    return vector;
}

// Runs `change` on whole vectors of words and puts back only the words whose
// alpha is not 0.
template<typename Change>
void ChangeVisible(uint32_t* pixels, size_t count, Change change)
{
    auto apply = [&](uint32_t* words) {
        Words const old = Load<Words>(words);
        Words const visible = (Words)((old >> 24) != 0);
        Store(words, (change(old) & visible) | (old & ~visible));
    };
    ForEachBlock(
        count, [&](size_t i) { apply(pixels + i); },
        [&](size_t i, size_t rest) {
            uint32_t words[kPixels] = {};
            __builtin_memcpy(words, pixels + i, rest * 4);
            apply(words);
            __builtin_memcpy(pixels + i, words, rest * 4);
        });
}

Ints Clamped(Ints values, Ints low, Ints high)
{
    Ints const below = values < low;
    Ints const above = values > high;
    return (values & ~(below | above)) | (low & below) | (high & above);
}

void ScaleChannels(uint32_t* pixels, size_t count, float const (&factors)[4])
{
    Floats const perByte = PerByte<Floats>(factors);
    ChangeVisible(pixels, count, [&](Words old) {
        Floats const scaled = __builtin_convertvector((Bytes)old, Floats) * perByte;
        Ints const bits = (Ints)scaled;
        // Above 255: 255. Not above 0, or not a number: 0.
        Ints const capped = (Ints)(scaled > 255.0f);
        Ints const kept = (Ints)(scaled > 0.0f) & ~capped;
        Floats const limited = (Floats)((bits & kept) | ((Ints)(Floats {} + 255.0f) & capped));
        return (Words)__builtin_convertvector(__builtin_convertvector(limited, Ints), Bytes);
    });
}

void AddChannels(uint32_t* pixels, size_t count, int16_t const (&amounts)[4])
{
    Ints const perByte = PerByte<Ints>(amounts);
    ChangeVisible(pixels, count, [&](Words old) {
        Ints const sum = __builtin_convertvector((Bytes)old, Ints) + perByte;
        return (Words)__builtin_convertvector(Clamped(sum, Ints {}, Ints {} + 255), Bytes);
    });
}

void MakeGray(uint32_t* pixels, size_t count)
{
    ChangeVisible(pixels, count, [](Words old) {
        Words const sum = (old & 0xFF) + (old >> 8 & 0xFF) + (old >> 16 & 0xFF);
        // sum / 3 for every sum up to 765.
        Words const mean = (sum * 0xAAABu) >> 17;
        return (old & 0xFF000000u) | mean * 0x010101u;
    });
}

}
