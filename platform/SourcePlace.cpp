#include "platform/SourcePlace.h"

namespace platform {

static thread_local ReadingPlace* innermost = nullptr;

ReadingPlace::ReadingPlace(std::u16string_view file, uint32_t line)
    : place_ { std::u16string(file), line }
    , outer_(innermost)
{
    innermost = this;
}

ReadingPlace::~ReadingPlace()
{
    innermost = outer_;
}

SourcePlace const* CurrentSourcePlace()
{
    return innermost ? &innermost->Place() : nullptr;
}

}
