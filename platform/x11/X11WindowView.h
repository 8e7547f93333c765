#pragma once

// The X window that shows one of our windows: placed at its client area,
// showing its picture, from which exposures are answered without asking the
// window to paint again.

#include "platform/Types.h"
#include "platform/draw/Surface.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11PictureTransfer.h"

#include <string_view>

namespace platform {

struct Window;

class X11WindowView {
public:
    X11WindowView(X11Connection& connection, X11PictureTransfer& transfer, Window const& window, Rect client);
    ~X11WindowView();
    X11WindowView(X11WindowView const&) = delete;
    X11WindowView& operator=(X11WindowView const&) = delete;

    XId Id() const { return id_; }
    bool Managed() const { return managed_; }
    void Place(Rect client);
    void SetTitle(std::u16string_view title);
    void SetVisible(bool visible);
    void SetTopMost(bool topMost);
    // True once each time the window manager iconifies the window: its
    // WM_STATE is iconic, or it was `unmapped` in the EWMH hidden state.
    // Asked on unmaps and on WM_STATE changes; a map starts over.
    bool NoticeIconified(bool unmapped);
    void Mapped() { iconified_ = false; }

    // Takes what changed in `picture` and shows the part within the client
    // area, which begins at `clientOffset` in the picture.
    void Present(Surface& picture, Point clientOffset);
    // Shows `area` (client coordinates) again from the picture.
    void Repaint(Rect area, Surface& picture, Point clientOffset);

private:
    void SetSizeHints();
    void SetWindowManagerHints(uint32_t style);
    bool Iconic(bool unmapped) const;

    X11Connection& connection_;
    X11PictureTransfer& transfer_;
    XId id_ = 0;
    bool managed_ = false;
    bool iconified_ = false;
    Rect client_;
    // The part of the client area shown so far.
    int32_t shownWidth_ = 0;
    int32_t shownHeight_ = 0;
};

}
