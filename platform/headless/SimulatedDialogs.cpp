#include "platform/headless/SimulatedDialogs.h"

#include "platform/SourcePlace.h"

namespace platform {

static BoxResult ResultOf(BoxAnswer answer)
{
    return BoxResult(int(answer) + 1);
}

BoxResult SimulatedDialogs::MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    uint32_t buttons = flags & Box::ButtonMask;
    BoxAnswer answer = (buttons == Box::YesNo || buttons == Box::YesNoCancel) ? BoxAnswer::No : BoxAnswer::Ok;
    if (trace_.Closed())
        return ResultOf(answer);
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    trace_.MessageBox(caption, text, flags, bool(owner), answer, CurrentSourcePlace());
    if (boxTime_ > 0)
        windows_.RunModalLoop(clock_.TickCount() + boxTime_);
    return ResultOf(answer);
}

}
