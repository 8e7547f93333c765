#include "platform/pixels/KernelSets.h"

#include <utility>

namespace platform::pixels {

namespace {

Kernels const* chosen = nullptr;

}

Kernels const& BestKernels()
{
    static Kernels const& best = []() -> Kernels const& {
#if defined(VESSARINE_AVX2_KERNELS)
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx2"))
            return Avx2Kernels();
#endif
        return BaselineKernels();
    }();
    return best;
}

Kernels const& ActiveKernels()
{
    return chosen ? *chosen : BestKernels();
}

std::vector<Kernels const*> RunnableKernels()
{
    std::vector<Kernels const*> sets { &BaselineKernels() };
    if (&BestKernels() != &BaselineKernels())
        sets.push_back(&BestKernels());
    return sets;
}

KernelChoice::KernelChoice(Kernels const& kernels)
    : previous_(std::exchange(chosen, &kernels))
{
}

KernelChoice::~KernelChoice()
{
    chosen = previous_;
}

}
