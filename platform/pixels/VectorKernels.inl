// The kernels on whole vectors of pixels. Included by one source file per
// instruction set, inside a namespace of its own and with KERNEL_PIXELS set
// to the pixels its widest vectors hold; written with the compiler's generic
// vectors, so the including file's flags pick the instructions. Every pixel
// takes the same arithmetic; no single pixel's value decides a branch. All
// here has internal linkage and calls nothing outside, so the linker can
// never hand a function built for a wider set to a caller built for a
// narrower one.
//
// Colour bytes are worked on in 16-bit lanes: every product below stays
// under 65536, so each result is exact and equals the reference's.

namespace {

// Vectors of N pixels.
template<size_t N>
struct Lanes {
    typedef uint8_t Bytes __attribute__((vector_size(4 * N)));
    typedef uint16_t Shorts __attribute__((vector_size(4 * N)));
    typedef uint16_t Wide __attribute__((vector_size(8 * N)));
    typedef uint32_t Words __attribute__((vector_size(4 * N)));
    typedef int32_t Ints __attribute__((vector_size(16 * N)));
    typedef float Floats __attribute__((vector_size(16 * N)));
};

// N bytes read as one integer, for a load that fills only a vector's first lane.
template<size_t N>
struct PackedBytes;
template<>
struct PackedBytes<1> {
    using Type = uint8_t;
};
template<>
struct PackedBytes<4> {
    using Type = uint32_t;
};
template<>
struct PackedBytes<8> {
    using Type = uint64_t;
};

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

template<size_t N>
typename Lanes<N>::Wide Widen(typename Lanes<N>::Words words)
{
    return __builtin_convertvector((typename Lanes<N>::Bytes)words, typename Lanes<N>::Wide);
}

// Every lane must be below 256.
template<size_t N>
typename Lanes<N>::Words Narrow(typename Lanes<N>::Wide wide)
{
    return (typename Lanes<N>::Words)__builtin_convertvector(wide, typename Lanes<N>::Bytes);
}

template<size_t N>
typename Lanes<N>::Words Broadcast(uint32_t word)
{
    return typename Lanes<N>::Words {} + word;
}

// Each lane twice, from the first half of the vector.
template<typename Vector, size_t... I>
Vector Doubled(Vector vector, std::index_sequence<I...>)
{
    return __builtin_shufflevector(vector, vector, (I / 2)...);
}

// N bytes, one a pixel, each copied into all four bytes of its word: two
// interleaves, which every vector instruction set has.
template<size_t N>
typename Lanes<N>::Words Spread(uint8_t const* bytes)
{
    using Packed = typename PackedBytes<N>::Type;
    typedef Packed PackedVector __attribute__((vector_size(4 * N)));
    Packed first;
    __builtin_memcpy(&first, bytes, sizeof first);
    PackedVector const packed = { first };
    auto const twice = Doubled((typename Lanes<N>::Bytes)packed, std::make_index_sequence<4 * N>());
    return (typename Lanes<N>::Words)Doubled((typename Lanes<N>::Shorts)twice, std::make_index_sequence<2 * N>());
}

// Walks a row of `count` pixels in the widest vectors: `value<N>(i)` works
// out the N results from pixel i on, `put(i, vector)` stores them; every
// result depends only on its own place. A row that is not a whole number of
// vectors ends with one that overlaps the one before, rather than with single
// pixels; it is worked out first, from the row as it was, and stored last, so
// the overlap gets the same values.
template<typename Value, typename Put>
void ForEachVector(size_t count, Value value, Put put)
{
    auto overlapping = [&]<size_t N>() {
        size_t const last = count - N;
        auto const final = value.template operator()<N>(last);
        for (size_t i = 0; i < last; i += N)
            put(i, value.template operator()<N>(i));
        put(last, final);
    };
    if (count >= KERNEL_PIXELS) {
        overlapping.template operator()<KERNEL_PIXELS>();
    } else if (KERNEL_PIXELS > 4 && count >= 4) {
        overlapping.template operator()<4>();
    } else {
        for (size_t i = 0; i < count; ++i)
            put(i, value.template operator()<1>(i));
    }
}

// Long rows go to the processor's string store where it has one: on x86-64
// it writes whole cache lines without reading them first, which no loop of
// vector stores matches.
void FillRow(uint32_t* row, size_t count, uint32_t pixel)
{
#if defined(__x86_64__)
    if (count >= 256) {
        asm volatile("rep stosl" : "+D"(row), "+c"(count) : "a"(pixel) : "memory");
        return;
    }
#endif
    ForEachVector(count, [&]<size_t N>(size_t) { return Broadcast<N>(pixel); },
        [&](size_t i, auto words) { Store(row + i, words); });
}

void Fill(uint32_t* row, ptrdiff_t rowStep, size_t width, size_t rows, uint32_t pixel)
{
    for (size_t j = 0; j < rows; ++j, row += rowStep)
        FillRow(row, width, pixel);
}

// A word's four bytes as two words of 16-bit lanes: blue and red in one,
// green and the fourth byte in the other. A lane holds any product of a byte
// and a weight up to 256, so the arithmetic runs on whole vectors without
// widening them.
template<size_t N>
struct Pairs {
    typename Lanes<N>::Shorts blueRed;
    typename Lanes<N>::Shorts greenFourth;
};

template<size_t N>
Pairs<N> Split(typename Lanes<N>::Words words)
{
    using Shorts = typename Lanes<N>::Shorts;
    return { (Shorts)(words & 0x00FF00FFu), (Shorts)((words >> 8) & 0x00FF00FFu) };
}

// The bytes at bits 8 to 15 of each lane, put together again.
template<size_t N>
typename Lanes<N>::Words JoinHighBytes(Pairs<N> pairs)
{
    using Words = typename Lanes<N>::Words;
    return (((Words)pairs.blueRed >> 8) & 0x00FF00FFu) | ((Words)pairs.greenFourth & 0xFF00FF00u);
}

// Whether every lane of a comparison's result is set.
template<size_t N>
bool AllSet(typename Lanes<N>::Words mask)
{
#if defined(__AVX2__)
    if constexpr (N == 8)
        return _mm256_movemask_epi8((__m256i)mask) == -1;
#endif
#if defined(__SSE2__)
    if constexpr (N == 4)
        return _mm_movemask_epi8((__m128i)mask) == 0xFFFF;
#endif
    uint32_t all = ~0u;
    for (size_t k = 0; k < N; ++k)
        all &= mask[k];
    return all != 0;
}

void BlendCoverageRow(uint32_t* row, uint8_t const* coverage, size_t count, uint32_t pixel)
{
    ForEachVector(count, [&]<size_t N>(size_t i) {
        using Words = typename Lanes<N>::Words;
        Words const old = Load<Words>(row + i);
        Words const spread = Spread<N>(coverage + i);
        // Text leaves most of its box untouched and fills some of it whole.
        if (AllSet<N>((Words)(spread == 0)))
            return old;
        if (AllSet<N>((Words)(spread == 0xFFFFFFFFu)))
            return Broadcast<N>(pixel & 0x00FFFFFFu);
        auto const a = Split<N>(spread).blueRed;
        auto const source = Split<N>(Broadcast<N>(pixel));
        auto const before = Split<N>(old);
        // (t + (t >> 8)) >> 8 divides by 255 exactly rounded (t includes the half).
        auto const t = Pairs<N> { source.blueRed * a + before.blueRed * (255 - a) + 128,
            source.greenFourth * a + before.greenFourth * (255 - a) + 128 };
        Words const blended
            = JoinHighBytes<N>({ t.blueRed + (t.blueRed >> 8), t.greenFourth + (t.greenFourth >> 8) }) & 0x00FFFFFFu;
        Words const keepFourth = (Words)(spread == 0) & 0xFF000000u;
        return blended | (old & keepFourth);
    }, [&](size_t i, auto words) { Store(row + i, words); });
}

void BlendCoverage(uint32_t* row, ptrdiff_t rowStep, uint8_t const* coverage, size_t coverageStep, size_t width,
    size_t rows, uint32_t pixel)
{
    for (size_t j = 0; j < rows; ++j, row += rowStep, coverage += coverageStep)
        BlendCoverageRow(row, coverage, width, pixel);
}

void BlendIcon(uint32_t* row, uint32_t const* source, size_t count)
{
    ForEachVector(count, [&]<size_t N>(size_t i) {
        using Words = typename Lanes<N>::Words;
        using Shorts = typename Lanes<N>::Shorts;
        Words const old = Load<Words>(row + i);
        Words const from = Load<Words>(source + i);
        Words const alpha = from >> 24;
        Words const opaque = (Words)(alpha == 255);
        // An icon is mostly wholly clear or wholly opaque: such a stretch
        // needs no arithmetic, only the choice made below for every pixel.
        if (AllSet<N>(opaque | (Words)(alpha == 0)))
            return (old & ~opaque) | (from & opaque);
        // old * 256 + (from - old) * alpha lies in 0 .. 65280, so lanes that
        // wrap on the way still end exact. The fourth byte weighs 0 and stays.
        auto const before = Split<N>(old);
        auto const after = Split<N>(from);
        Shorts const both = (Shorts)(alpha | alpha << 16);
        Shorts const greenOnly = (Shorts)alpha;
        Words const mixed = JoinHighBytes<N>({ (before.blueRed << 8) + (after.blueRed - before.blueRed) * both,
            (before.greenFourth << 8) + (after.greenFourth - before.greenFourth) * greenOnly });
        return (mixed & ~opaque) | (from & opaque);
    }, [&](size_t i, auto words) { Store(row + i, words); });
}

void MoveTowards(uint32_t* row, size_t count, uint32_t target, uint32_t weight, uint32_t mask)
{
    uint16_t const stay = uint16_t(256 - weight);
    ForEachVector(count, [&]<size_t N>(size_t i) {
        auto const goal = Split<N>(Broadcast<N>(target));
        auto const before = Split<N>(Load<typename Lanes<N>::Words>(row + i));
        // old * (256 - weight) + target * weight stays below 65536.
        return JoinHighBytes<N>({ before.blueRed * stay + goal.blueRed * uint16_t(weight),
                   before.greenFourth * stay + goal.greenFourth * uint16_t(weight) })
            & mask;
    }, [&](size_t i, auto words) { Store(row + i, words); });
}

// Weights 1 2 1 / 2 4 2 / 1 2 1, taken apart: each column's 1 2 1 sum is
// made once into a stretch of sums, then three neighbouring sums weigh
// 1 2 1. `finish(sum, j)` turns the sums at word j into pixels.
constexpr size_t kStretch = 64;

template<typename Finish>
void Smooth(uint32_t* target, uint32_t const* above, uint32_t const* here, uint32_t const* below, size_t count,
    Finish finish)
{
    uint16_t columns[(kStretch + 2) * 4];
    for (size_t start = 0; start < count; start += kStretch) {
        size_t const length = count - start < kStretch ? count - start : kStretch;
        // Column sums from one word before the stretch to one after it.
        ForEachVector(length + 2, [&]<size_t N>(size_t i) {
            using Words = typename Lanes<N>::Words;
            size_t const x = start + i;
            return Widen<N>(Load<Words>(above - 1 + x)) + 2 * Widen<N>(Load<Words>(here - 1 + x))
                + Widen<N>(Load<Words>(below - 1 + x));
        }, [&](size_t i, auto sums) { Store(columns + 4 * i, sums); });
        ForEachVector(length, [&]<size_t N>(size_t i) {
            using Wide = typename Lanes<N>::Wide;
            Wide const sum = Load<Wide>(columns + 4 * i) + 2 * Load<Wide>(columns + 4 * (i + 1))
                + Load<Wide>(columns + 4 * (i + 2));
            return finish.template operator()<N>(sum, start + i);
        }, [&](size_t i, auto words) { Store(target + start + i, words); });
    }
}

void SmoothPlain(uint32_t* target, uint32_t const* above, uint32_t const* here, uint32_t const* below, size_t count)
{
    Smooth(target, above, here, below, count, []<size_t N>(typename Lanes<N>::Wide sum, size_t) {
        return Narrow<N>(sum >> 4) & 0x00FFFFFFu;
    });
}

void SmoothTinted(uint32_t* target, uint32_t const* above, uint32_t const* here, uint32_t const* below, size_t count,
    uint32_t tint)
{
    // The centre weighs 16: 4 from the plain weights, 12 more.
    Smooth(target, above, here, below, count, [&]<size_t N>(typename Lanes<N>::Wide sum, size_t j) {
        using Words = typename Lanes<N>::Words;
        sum += 12 * Widen<N>(Load<Words>(here + j)) + 4 * Widen<N>(Broadcast<N>(tint));
        return Narrow<N>(sum >> 5) & 0x00FFFFFFu;
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
template<typename Vector, size_t N, typename Value>
Vector PerByte(Value const (&channels)[4])
{
    Vector vector {};
    for (size_t lane = 0; lane < 4 * N; lane += 4) {
        vector[lane] = channels[2];
        vector[lane + 1] = channels[1];
        vector[lane + 2] = channels[0];
        vector[lane + 3] = channels[3];
    }
    return vector;
}

// `change`'s words where alpha is not 0, the old ones elsewhere.
template<size_t N, typename Change>
typename Lanes<N>::Words ChangeVisible(uint32_t const* words, Change change)
{
    using Words = typename Lanes<N>::Words;
    Words const old = Load<Words>(words);
    Words const visible = (Words)((old >> 24) != 0);
    return (change(old) & visible) | (old & ~visible);
}

void ScaleChannels(uint32_t* pixels, size_t count, float const (&factors)[4])
{
    ForEachVector(count, [&]<size_t N>(size_t i) {
        using L = Lanes<N>;
        return ChangeVisible<N>(pixels + i, [&](typename L::Words old) {
            auto const scaled = __builtin_convertvector((typename L::Bytes)old, typename L::Floats)
                * PerByte<typename L::Floats, N>(factors);
            auto const bits = (typename L::Ints)scaled;
            // Above 255: 255. Not above 0, or not a number: 0.
            auto const capped = (typename L::Ints)(scaled > 255.0f);
            auto const kept = (typename L::Ints)(scaled > 0.0f) & ~capped;
            auto const limited = (typename L::Floats)((bits & kept)
                | ((typename L::Ints)(typename L::Floats {} + 255.0f) & capped));
            return (typename L::Words)__builtin_convertvector(
                __builtin_convertvector(limited, typename L::Ints), typename L::Bytes);
        });
    }, [&](size_t i, auto words) { Store(pixels + i, words); });
}

void AddChannels(uint32_t* pixels, size_t count, int16_t const (&amounts)[4])
{
    ForEachVector(count, [&]<size_t N>(size_t i) {
        using L = Lanes<N>;
        return ChangeVisible<N>(pixels + i, [&](typename L::Words old) {
            auto const sum = __builtin_convertvector((typename L::Bytes)old, typename L::Ints)
                + PerByte<typename L::Ints, N>(amounts);
            auto const below = sum < 0;
            auto const above = sum > 255;
            auto const clamped = (sum & ~(below | above)) | (255 & above);
            return (typename L::Words)__builtin_convertvector(clamped, typename L::Bytes);
        });
    }, [&](size_t i, auto words) { Store(pixels + i, words); });
}

void MakeGray(uint32_t* pixels, size_t count)
{
    ForEachVector(count, [&]<size_t N>(size_t i) {
        return ChangeVisible<N>(pixels + i, [](typename Lanes<N>::Words old) {
            auto const sum = (old & 0xFF) + (old >> 8 & 0xFF) + (old >> 16 & 0xFF);
            // sum / 3 for every sum up to 765.
            auto const mean = (sum * 0xAAABu) >> 17;
            return (old & 0xFF000000u) | mean * 0x010101u;
        });
    }, [&](size_t i, auto words) { Store(pixels + i, words); });
}

}
