#include "platform/FileWatch.h"

#include "platform/Backend.h"

#include <algorithm>

namespace platform {

static thread_local FileReadLog* g_innermost = nullptr;

FileReadLog::FileReadLog()
    : outer_(g_innermost)
{
    g_innermost = this;
}

FileReadLog::~FileReadLog()
{
    g_innermost = outer_;
}

void FileReadLog::Note(std::u16string_view path)
{
    if (!g_innermost)
        return;
    std::vector<std::u16string>& paths = g_innermost->paths_;
    if (std::find(paths.begin(), paths.end(), path) == paths.end())
        paths.emplace_back(path);
}

bool WatchFiles(WindowHandle window, uint32_t message, WParam id, std::span<std::u16string const> paths)
{
    return CurrentBackend().Screen().WatchFiles(window, message, id, paths);
}

}
