#include "panel/core/Animation.h"

#include "panel/core/PanelEntry.h"
#include "panel/core/PanelMessages.h"
#include "platform/System.h"
#include "platform/Windowing.h"

namespace panel {

using platform::Point;
using platform::Rect;

namespace {

// q(v) = e * v / T, truncating toward zero. Taken 128 bits wide: an
// accelerated animation of a few seconds overflows 32 and even 64 bits.
__extension__ using Wide = __int128;

struct Fraction {
    uint64_t elapsed;
    uint64_t total;

    int32_t operator()(int64_t value) const
    {
        Wide product = Wide(elapsed) * value;
        return Rect::Saturate(int64_t(product / Wide(total)));
    }
};

// The way a kind flies the window: -1, 0 or +1 along each axis. RollDown
// keeps its place and unrolls its height instead.
struct Direction {
    int dx = 0;
    int dy = 0;
};

Direction DirectionOf(int32_t kind)
{
    switch (kind) {
    case FlyRight: return { 1, 0 };
    case FlyDown: return { 0, 1 };
    case FlyLeft: return { -1, 0 };
    case FlyUp: return { 0, -1 };
    case FlyDiagRightDown: return { 1, 1 };
    case FlyDiagRightUp: return { 1, -1 };
    case FlyDiagLeftDown: return { -1, 1 };
    case FlyDiagLeftUp: return { -1, -1 };
    default: return {};
    }
}

// One axis of an opening window, `position` and `extent` being its final
// place: it comes in from the side it flies toward.
int32_t OpeningAxis(int direction, int64_t position, int64_t extent, Fraction const& q)
{
    if (direction > 0)
        return Rect::Saturate(q(extent + position) - extent);
    if (direction < 0)
        return Rect::Saturate(extent - q(extent - position));
    return int32_t(position);
}

// One axis of a closing window: it leaves toward the side it flies to.
int32_t ClosingAxis(int direction, int64_t position, int64_t extent, Fraction const& q)
{
    if (direction > 0)
        return Rect::Saturate(position + q(extent));
    if (direction < 0)
        return Rect::Saturate(position - q(extent + position));
    return int32_t(position);
}

}

void OpeningPosition(int32_t kind, uint64_t elapsed, uint64_t total, Rect& rect)
{
    Fraction const q { elapsed, total };
    Direction const d = DirectionOf(kind);
    int32_t const height = kind == RollDown ? q(rect.Height()) : rect.Height();
    rect = Rect::FromSize(OpeningAxis(d.dx, rect.left, rect.Width(), q), OpeningAxis(d.dy, rect.top, rect.Height(), q),
        rect.Width(), height);
}

void ClosingPosition(int32_t kind, uint64_t elapsed, uint64_t total, Rect& rect)
{
    Fraction const q { elapsed, total };
    Direction const d = DirectionOf(kind);
    int32_t const height = kind == RollDown ? Rect::Saturate(int64_t(rect.Height()) - q(rect.Height())) : rect.Height();
    rect = Rect::FromSize(ClosingAxis(d.dx, rect.left, rect.Width(), q), ClosingAxis(d.dy, rect.top, rect.Height(), q),
        rect.Width(), height);
}

void StartAnimation(PanelWindow& panel, bool opening)
{
    panel.animating = true;
    panel.closing = panel.closing || !opening;
    panel.animationStart = platform::GetTickCount();
    platform::SetTimer(panel.window, opening ? kOpeningTimer : kClosingTimer, kAnimationStep);
}

void AnimationStep(PanelWindow& panel, bool opening)
{
    GlobalSettings const& settings = *panel.settings;
    uint64_t total = panel.animationTime;
    uint64_t elapsed = uint32_t(platform::GetTickCount() - panel.animationStart);
    constexpr uint32_t kQuietMove = platform::PosFlag::NoZOrder | platform::PosFlag::NoActivate;
    int32_t width = settings.WindowWidth();
    int32_t height = settings.PanelHeight();
    Point at = settings.ScreenPosition(width, height);
    Rect final = Rect::FromSize(at.x, at.y, width, height);

    platform::WindowHandle window = panel.window;
    if (elapsed > total || total == 0) {
        if (opening) {
            platform::SetWindowPos(window, {}, final.left, final.top, final.Width(), final.Height(), kQuietMove);
            platform::KillTimer(window, kOpeningTimer);
            panel.animating = false;
        } else {
            platform::KillTimer(window, kClosingTimer);
            if (panel.quitWhenClosed)
                platform::PostQuitMessage(panel.exitCode);
            else
                panel.program.RemoveAndDestroyWindow(window);
        }
        return;
    }
    if (settings.accelerated) {
        elapsed *= elapsed;
        total *= total;
    }
    Rect step = final;
    if (opening)
        OpeningPosition(panel.openingAnimation, elapsed, total, step);
    else
        ClosingPosition(panel.closingAnimation, elapsed, total, step);
    platform::SetWindowPos(window, {}, step.left, step.top, step.Width(), step.Height(), kQuietMove);
}

}
