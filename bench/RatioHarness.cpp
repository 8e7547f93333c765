#include "bench/RatioHarness.h"

#include "platform/pixels/PixelKernels.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

// Long enough for the clock's resolution and the loop not to matter, short
// enough that a round of every contender stays within a few milliseconds.
constexpr double kBatchSeconds = 0.5e-3;

double SecondsFor(Contender& contender, uint64_t count)
{
    Clock::time_point const start = Clock::now();
    contender.batch(count);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Calls in one batch of about kBatchSeconds; at least one.
uint64_t BatchSize(Contender& contender)
{
    SecondsFor(contender, 1); // first touches of memory, caches, lazily made objects
    uint64_t count = 1;
    double seconds = SecondsFor(contender, count);
    // Grows until the measurement itself is long enough to trust.
    while (seconds < kBatchSeconds / 8 && count < (uint64_t(1) << 30)) {
        count *= 8;
        seconds = SecondsFor(contender, count);
    }
    double const perCall = seconds / double(count);
    return std::max<uint64_t>(1, uint64_t(std::llround(kBatchSeconds / std::max(perCall, 1e-12))));
}

}

RoundTimes TimeInRounds(std::vector<Contender>& contenders, int rounds)
{
    std::vector<uint64_t> batches;
    for (Contender& contender : contenders)
        batches.push_back(BatchSize(contender));
    RoundTimes times(contenders.size());
    for (int round = 0; round < rounds; ++round) {
        for (size_t turn = 0; turn < contenders.size(); ++turn) {
            size_t const k = round % 2 == 0 ? turn : contenders.size() - 1 - turn;
            times[k].push_back(SecondsFor(contenders[k], batches[k]) / double(batches[k]));
        }
    }
    return times;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    size_t const middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(middle), values.end());
    double const upper = values[middle];
    if (values.size() % 2 == 1)
        return upper;
    double const lower = *std::max_element(values.begin(), values.begin() + std::ptrdiff_t(middle));
    return (lower + upper) / 2;
}

std::string Microseconds(double seconds)
{
    double const us = seconds * 1e6;
    int const decimals = us >= 100 ? 0 : us >= 10 ? 1 : us >= 1 ? 2 : 3;
    char text[32];
    std::snprintf(text, sizeof text, "%.*f us", decimals, us);
    return text;
}

Contender OnReferenceKernels(Contender const& ours)
{
    return { "scalar reference", [batch = ours.batch](uint64_t count) {
                platform::pixels::KernelChoice const choice(platform::pixels::ReferenceKernels());
                batch(count);
            } };
}

RatioHarness::RatioHarness(int rounds)
    : rounds_(rounds)
{
}

void RatioHarness::Compare(std::string_view figure, Contender ours, Contender anchor, size_t bytes,
    std::optional<Contender> reference)
{
    // Separate buffers, written once, so that the copy reads memory that is really there.
    auto from = std::make_unique<uint8_t[]>(bytes);
    auto to = std::make_unique<uint8_t[]>(bytes);
    std::memset(from.get(), 0x5A, bytes);
    std::memset(to.get(), 0, bytes);
    uint8_t* const source = from.get();
    uint8_t* const target = to.get();
    Contender copy = Repeated("memcpy", [=] {
        std::memcpy(target, source, bytes);
        Escape(target);
    });
    std::vector<Contender> contenders { std::move(ours), std::move(anchor), std::move(copy) };
    if (reference)
        contenders.push_back(std::move(*reference));
    RoundTimes const times = TimeInRounds(contenders, rounds_);

    std::vector<double> ratios;
    for (size_t round = 0; round < times[0].size(); ++round)
        ratios.push_back(times[1][round] / times[0][round]);
    double const ratio = Median(ratios);
    ratios_.push_back({ std::string(figure), ratio });

    std::string const name(figure);
    std::printf("%s: %s %s, %s %s, ratio %.2f\n", name.c_str(), contenders[0].name.c_str(),
        Microseconds(Median(times[0])).c_str(), contenders[1].name.c_str(), Microseconds(Median(times[1])).c_str(),
        ratio);
    std::printf("limit %s memcpy %s\n", name.c_str(), Microseconds(Median(times[2])).c_str());
    if (times.size() > 3) {
        std::printf("scalar %s reference kernels %s, %.1f times our time\n", name.c_str(),
            Microseconds(Median(times[3])).c_str(), Median(times[3]) / Median(times[0]));
    }
    std::fflush(stdout);
}

void RatioHarness::PrintRatios() const
{
    for (Ratio const& ratio : ratios_)
        std::printf("ratio %s %.2f\n", ratio.figure.c_str(), ratio.value);
    std::fflush(stdout);
}

}
