#include "platform/pixels/KernelSets.h"

namespace platform::pixels::baseline {
#define KERNEL_BYTES 16
#include "platform/pixels/VectorKernels.inl"
}

namespace platform::pixels {

Kernels const& BaselineKernels()
{
    using namespace baseline;
    static constexpr Kernels kBaseline { "baseline", Fill, BlendCoverage, BlendIcon, MoveTowards, SmoothPlain,
        SmoothTinted, Ramp, ScaleChannels, AddChannels, MakeGray };
    return kBaseline;
}

}
