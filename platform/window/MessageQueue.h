#pragma once

// Posted messages of the thread, first in first out, and the quit request.

#include "platform/Types.h"

#include <deque>
#include <optional>

namespace platform {

struct Message {
    WindowHandle window;
    uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
};

class MessageQueue {
public:
    void Post(Message const& message) { posted_.push_back(message); }
    std::optional<Message> TakePosted();
    bool HasPosted() const { return !posted_.empty(); }
    void DropFor(WindowHandle window);

    void PostQuit(int32_t exitCode);
    // The quit request, taken once.
    std::optional<int32_t> TakeQuit();
    bool QuitPending() const { return quit_.has_value(); }

private:
    std::deque<Message> posted_;
    std::optional<int32_t> quit_;
};

}
