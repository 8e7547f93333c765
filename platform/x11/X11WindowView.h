#pragma once

// The X window that shows one of our windows: placed at its client area,
// showing its picture through an image kept on our side (in memory shared
// with the server where it can be), so that exposures are answered from it
// without asking the window to paint again.

#include "platform/Types.h"
#include "platform/draw/Surface.h"
#include "platform/x11/X11Connection.h"

#include <string_view>

namespace platform {

struct Window;

class X11WindowView {
public:
    X11WindowView(X11Connection& connection, Window const& window, Rect client);
    ~X11WindowView();
    X11WindowView(X11WindowView const&) = delete;
    X11WindowView& operator=(X11WindowView const&) = delete;

    XId Id() const { return id_; }
    bool Managed() const { return managed_; }
    void Place(Rect client);
    void SetTitle(std::u16string_view title);
    void SetVisible(bool visible);
    void SetTopMost(bool topMost);

    // Takes what changed in `picture` and shows the part within the client
    // area, which begins at `clientOffset` in the picture. True when it went
    // as a shared image, which the server reads later: sync before writing again.
    bool Present(Surface& picture, Point clientOffset);
    // Shows `area` (client coordinates) again from the image.
    void Repaint(Rect area);

private:
    void SetSizeHints();
    bool MakeImage(int32_t width, int32_t height);
    void DropImage();
    void PutImage(Rect area, bool shared);

    X11Connection& connection_;
    XId id_ = 0;
    bool managed_ = false;
    Rect client_;
    struct Image;
    Image* image_ = nullptr;
    // The part of the image that stands for the client area.
    int32_t shownWidth_ = 0;
    int32_t shownHeight_ = 0;
};

}
