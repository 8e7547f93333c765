#pragma once

// The vector sets, each built with its own instruction set; only KernelChoice
// decides which may run here.

#include "platform/pixels/PixelKernels.h"

namespace platform::pixels {

// Built with the architecture's baseline: SSE2 on x86-64, whatever the
// compiler assumes elsewhere.
Kernels const& BaselineKernels();
#if defined(VESSARINE_AVX2_KERNELS)
Kernels const& Avx2Kernels();
#endif

}
