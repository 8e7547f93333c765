// Built with -mavx2: run only where the processor says it has AVX2.

#include "platform/pixels/KernelSets.h"

#include <utility>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace platform::pixels::avx2 {
#define KERNEL_PIXELS 8
#include "platform/pixels/VectorKernels.inl"
}

namespace platform::pixels {

Kernels const& Avx2Kernels()
{
    using namespace avx2;
    static constexpr Kernels kAvx2 { "avx2", Fill, BlendCoverage, BlendIcon, MoveTowards, SmoothPlain, SmoothTinted,
        Ramp, ScaleChannels, AddChannels, MakeGray };
    return kAvx2;
}

}
