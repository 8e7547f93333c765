#pragma once

// A pixman image that is unreferenced when it goes.

#include <pixman.h>

#include <memory>

namespace bench {

struct PixmanUnref {
    void operator()(pixman_image_t* image) const { pixman_image_unref(image); }
};
using PixmanImage = std::unique_ptr<pixman_image_t, PixmanUnref>;

// An image over memory that stays ours; `stride` in bytes.
inline PixmanImage PixmanBits(pixman_format_code_t format, int width, int height, void* bits, int stride)
{
    return PixmanImage(pixman_image_create_bits(format, width, height, static_cast<uint32_t*>(bits), stride));
}

}
