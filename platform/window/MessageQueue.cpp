#include "platform/window/MessageQueue.h"

#include <algorithm>

namespace platform {

std::optional<Message> MessageQueue::TakePosted()
{
    if (posted_.empty())
        return std::nullopt;
    Message message = posted_.front();
    posted_.pop_front();
    return message;
}

void MessageQueue::DropFor(WindowHandle window)
{
    std::erase_if(posted_, [window](Message const& m) { return m.window == window; });
}

void MessageQueue::PostQuit(int32_t exitCode)
{
    quit_ = exitCode;
}

std::optional<int32_t> MessageQueue::TakeQuit()
{
    auto code = quit_;
    quit_.reset();
    return code;
}

}
