#include "platform/draw/Surface.h"

#include <algorithm>
#include <utility>

namespace platform {

Surface::Surface(int32_t width, int32_t height, uint32_t fill)
    : width_(std::max(width, 0))
    , height_(std::max(height, 0))
    , pixels_(size_t(width_) * size_t(height_), fill)
{
}

void Surface::Resize(int32_t width, int32_t height, uint32_t fill)
{
    Surface resized(width, height, fill);
    int32_t rows = std::min(height_, resized.height_);
    int32_t columns = std::min(width_, resized.width_);
    for (int32_t y = 0; y < rows; ++y)
        std::copy_n(Row(y), columns, resized.Row(y));
    *this = std::move(resized);
    damage_ = { 0, 0, width_, height_ };
}

Rect Surface::TakeDamage()
{
    return std::exchange(damage_, Rect {});
}

}
