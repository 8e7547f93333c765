#pragma once

// The opening and closing movements of a panel window, one step per tick of
// its 20 ms animation timers, computed from the time elapsed, so that an
// animation lasts its time however fast the device is.

#include "panel/core/AnimationKind.h"
#include "panel/core/PanelWindow.h"
#include "platform/Types.h"

namespace panel {

// `elapsed` of `total`: both already squared for an accelerated animation.
// The rectangle holds the final place and is moved to this step's.
void OpeningPosition(int32_t kind, uint64_t elapsed, uint64_t total, platform::Rect& rect);
void ClosingPosition(int32_t kind, uint64_t elapsed, uint64_t total, platform::Rect& rect);

// Starts the opening or the closing animation from now; a window that
// starts closing is closing for good.
void StartAnimation(PanelWindow& panel, bool opening);

// Moves the window to where the animation in progress has it now; the last
// step stops the opening timer, or ends the window or the whole panel.
void AnimationStep(PanelWindow& panel, bool opening);

}
