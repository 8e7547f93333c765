#pragma once

// Times contenders side by side: in every round each one runs a batch of
// calls, so that a slow moment of a shared machine falls on all of them alike,
// and the median of the rounds says how they compare.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// The compiler must assume that memory is read and written here, so the
// stores of the timed work cannot be dropped.
inline void ClobberMemory()
{
    asm volatile("" : : : "memory");
}

// The compiler must assume that `pointer` escapes: what it points to is live.
inline void Escape(void const* pointer)
{
    asm volatile("" : : "g"(pointer) : "memory");
}

struct Contender {
    std::string name;
    // Makes `count` calls.
    std::function<void(uint64_t count)> batch;
};

// A contender from one call; the call is inlined into the batch's loop.
template<typename Call>
Contender Repeated(std::string name, Call call)
{
    return { std::move(name), [call](uint64_t count) mutable {
                for (uint64_t i = 0; i < count; ++i) {
                    call();
                    ClobberMemory();
                }
            } };
}

// The same calls with the scalar reference kernels in place of the best set.
Contender OnReferenceKernels(Contender const& ours);

// Seconds per call of each contender, one entry per round.
using RoundTimes = std::vector<std::vector<double>>;

// Every round runs every contender once, in turn, each for a batch long
// enough to time well (the order reverses from round to round).
RoundTimes TimeInRounds(std::vector<Contender>& contenders, int rounds);

double Median(std::vector<double> values);
// "12.3 us", with three significant digits.
std::string Microseconds(double seconds);

class RatioHarness {
public:
    explicit RatioHarness(int rounds = 101);

    // Times our code, the anchor, a memcpy of `bytes` (the memory's speed for
    // the same pixels) and, where given, our code on the reference kernels,
    // in alternation; prints the medians and keeps the median of the
    // per-round ratios anchor / ours.
    void Compare(std::string_view figure, Contender ours, Contender anchor, size_t bytes,
        std::optional<Contender> reference = std::nullopt);

    // "ratio NAME VALUE" for every figure, in the order compared.
    void PrintRatios() const;

private:
    struct Ratio {
        std::string figure;
        double value;
    };

    int rounds_;
    std::vector<Ratio> ratios_;
};

}
