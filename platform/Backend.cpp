#include "platform/Backend.h"

#include "platform/draw/Graphics.h"
#include "platform/window/WindowSystem.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

static thread_local Backend* g_current = nullptr;

Backend::Backend()
    : windows_(std::make_unique<WindowSystem>(*this))
    , graphics_(std::make_unique<platform::Graphics>(*windows_))
{
}

Backend::~Backend() = default;

Backend& CurrentBackend()
{
    if (!g_current) {
        std::fputs("platform: no backend installed\n", stderr);
        std::abort();
    }
    return *g_current;
}

ScopedBackend::ScopedBackend(Backend& backend)
    : previous_(g_current)
{
    g_current = &backend;
}

ScopedBackend::~ScopedBackend()
{
    g_current = previous_;
}

}
