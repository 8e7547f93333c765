#include "programs/desktop/MemoryPolicy.h"

#include <malloc.h>

namespace desktop {

// Pictures are made and dropped as panels open, close and unroll. glibc maps
// a large block on its own, but after the first one is freed it raises that
// threshold to the block's size and keeps later pictures in the heap, whose
// freed pages stay with the process. A fixed threshold keeps the first rule.
void ReturnLargeBlocksToTheSystem()
{
    constexpr int kLargeBlock = 64 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
    mallopt(M_TRIM_THRESHOLD, 2 * kLargeBlock);
}

}
