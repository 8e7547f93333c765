#pragma once

// One panel window giving way to another: the layout switch a button asks
// for, and the same switch without animation when the files a window was
// made from change on disk (--watch).

#include "panel/core/PanelWindow.h"

namespace panel {

// The two halves of a switch. The new window starts opening with the
// animation and shows; its animation time is returned. The old window
// closes with the same animation for that time and then goes; the program
// goes on.
uint32_t OpenSwitchedWindow(platform::WindowHandle next, int32_t animation);
void CloseSwitchedWindow(PanelWindow& old, int32_t animation, uint32_t time);

// A window for the layout file replaces this one; when none can be made,
// this one closes all the same and the program ends with it.
void SwitchLayout(PanelWindow& panel, char16_t const* path, int32_t animation);

// A window made anew from the same layout file replaces this one, as a
// switch without animation would; when the file no longer reads, its
// message has been shown and this window stays as it is.
void ReloadLayout(platform::WindowHandle window);

}
