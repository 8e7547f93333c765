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

struct Frame {
    int32_t x, y, w, h;

    static Frame Of(Rect const& rect) { return { rect.left, rect.top, rect.Width(), rect.Height() }; }
    Rect ToRect() const { return Rect::FromSize(x, y, w, h); }
};

bool Moves(int32_t kind, AnimationKind a, AnimationKind b, AnimationKind c)
{
    return kind == a || kind == b || kind == c;
}

}

void OpeningPosition(int32_t kind, uint64_t elapsed, uint64_t total, Rect& rect)
{
    Fraction q { elapsed, total };
    Frame final = Frame::Of(rect);
    Frame f = final;
    int64_t W = final.w, H = final.h, x = final.x, y = final.y;
    if (Moves(kind, FlyDown, FlyDiagRightDown, FlyDiagLeftDown))
        f.y = Rect::Saturate(q(H + y) - H);
    if (Moves(kind, FlyUp, FlyDiagRightUp, FlyDiagLeftUp))
        f.y = Rect::Saturate(H - q(H - y));
    if (Moves(kind, FlyRight, FlyDiagRightDown, FlyDiagRightUp))
        f.x = Rect::Saturate(q(W + x) - W);
    if (Moves(kind, FlyLeft, FlyDiagLeftDown, FlyDiagLeftUp))
        f.x = Rect::Saturate(W - q(W - x));
    if (kind == RollDown)
        f.h = q(H);
    rect = f.ToRect();
}

void ClosingPosition(int32_t kind, uint64_t elapsed, uint64_t total, Rect& rect)
{
    Fraction q { elapsed, total };
    Frame final = Frame::Of(rect);
    Frame f = final;
    int64_t W = final.w, H = final.h, x = final.x, y = final.y;
    if (Moves(kind, FlyDown, FlyDiagRightDown, FlyDiagLeftDown))
        f.y = Rect::Saturate(y + q(H));
    if (Moves(kind, FlyUp, FlyDiagRightUp, FlyDiagLeftUp))
        f.y = Rect::Saturate(y - q(H + y));
    if (Moves(kind, FlyRight, FlyDiagRightDown, FlyDiagRightUp))
        f.x = Rect::Saturate(x + q(W));
    if (Moves(kind, FlyLeft, FlyDiagLeftDown, FlyDiagLeftUp))
        f.x = Rect::Saturate(x - q(W + x));
    if (kind == RollDown)
        f.h = Rect::Saturate(H - q(H));
    rect = f.ToRect();
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
