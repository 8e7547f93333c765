#include "panel/core/LayoutSwitch.h"

#include "panel/core/Animation.h"
#include "panel/core/PanelEntry.h"
#include "panel/core/PanelMessages.h"
#include "platform/Windowing.h"

#include <string>

namespace panel {

using platform::WindowHandle;

uint32_t OpenSwitchedWindow(WindowHandle next, int32_t animation)
{
    auto time = uint32_t(platform::SendMessage(next, StartAnimationMessage, 0, animation));
    ShowPanel(next);
    return time;
}

void CloseSwitchedWindow(PanelWindow& old, int32_t animation, uint32_t time)
{
    old.closingAnimation = animation;
    old.animationTime = time;
    old.quitWhenClosed = false;
    StartAnimation(old, false);
}

// The next window opens with the animation this one closes with, and this
// one closes for as long as the next one opens.
void SwitchLayout(PanelWindow& panel, char16_t const* path, int32_t animation)
{
    panel.closingAnimation = animation;
    WindowHandle next = panel.program.CreateLayoutWindow(path);
    if (next)
        CloseSwitchedWindow(panel, animation, OpenSwitchedWindow(next, animation));
    else
        StartAnimation(panel, false);
}

void ReloadLayout(WindowHandle window)
{
    PanelWindow* panel = PanelOf(window);
    if (!panel || panel->closing)
        return;
    PanelProgram& program = panel->program;
    WindowHandle next = program.CreateLayoutWindow(std::u16string(panel->settings->path));
    if (!next)
        return;
    // The new file's boxes ran a loop of their own: the window may have
    // started closing meanwhile, and then its successor is not wanted.
    panel = PanelOf(window);
    if (panel && !panel->closing)
        CloseSwitchedWindow(*panel, NoAnimation, OpenSwitchedWindow(next, NoAnimation));
    else
        program.RemoveAndDestroyWindow(next);
}

}
