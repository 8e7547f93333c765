#include "platform/FileStream.h"

#include <algorithm>
#include <cstring>

namespace platform {

MemoryFileStream::MemoryFileStream(std::vector<uint8_t> bytes)
    : bytes_(std::move(bytes))
{
}

size_t MemoryFileStream::Read(void* buffer, size_t bytes)
{
    if (position_ >= bytes_.size())
        return 0;
    size_t count = std::min<size_t>(bytes, size_t(bytes_.size() - position_));
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
}

bool MemoryFileStream::SeekRelative(int64_t delta)
{
    if (delta < 0 && uint64_t(-delta) > position_)
        return false;
    position_ = uint64_t(int64_t(position_) + delta);
    return true;
}

}
