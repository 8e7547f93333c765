#include "bench/AllocationCounter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<uint64_t> allocations { 0 };

void* Allocate(std::size_t size, std::size_t alignment)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    // Every call gives a distinct address, even for nothing.
    if (size == 0)
        size = 1;
    for (;;) {
        void* const memory = alignment <= alignof(std::max_align_t)
            ? std::malloc(size)
            : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
        if (memory)
            return memory;
        std::new_handler const handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

void* AllocateOrNull(std::size_t size, std::size_t alignment) noexcept
{
    try {
        return Allocate(size, alignment);
    } catch (...) {
        return nullptr;
    }
}

}

namespace bench {

uint64_t AllocationCount()
{
    return allocations.load(std::memory_order_relaxed);
}

}

void* operator new(std::size_t size)
{
    return Allocate(size, 0);
}
void* operator new[](std::size_t size)
{
    return Allocate(size, 0);
}
void* operator new(std::size_t size, std::align_val_t alignment)
{
    return Allocate(size, std::size_t(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return Allocate(size, std::size_t(alignment));
}
void* operator new(std::size_t size, std::nothrow_t const&) noexcept
{
    return AllocateOrNull(size, 0);
}
void* operator new[](std::size_t size, std::nothrow_t const&) noexcept
{
    return AllocateOrNull(size, 0);
}
void* operator new(std::size_t size, std::align_val_t alignment, std::nothrow_t const&) noexcept
{
    return AllocateOrNull(size, std::size_t(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, std::nothrow_t const&) noexcept
{
    return AllocateOrNull(size, std::size_t(alignment));
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::nothrow_t const&) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::nothrow_t const&) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t, std::nothrow_t const&) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t, std::nothrow_t const&) noexcept
{
    std::free(memory);
}
