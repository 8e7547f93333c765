#pragma once

// Sends pixels of a window's picture to its X window, for every window of the
// connection. Large areas go through one small image in memory shared with
// the server where it runs on this machine (MIT-SHM), band after band; small
// areas, and all of them where nothing can be shared, go in the requests
// straight from the picture's rows. No copy of a window's picture is kept
// here: exposures are answered from the picture itself.

#include "platform/Types.h"
#include "platform/draw/Surface.h"
#include "platform/x11/X11Connection.h"

namespace platform {

class X11PictureTransfer {
public:
    explicit X11PictureTransfer(X11Connection& connection);
    ~X11PictureTransfer();
    X11PictureTransfer(X11PictureTransfer const&) = delete;
    X11PictureTransfer& operator=(X11PictureTransfer const&) = delete;

    // Sends `area` of `picture` (within it) to `window`, its top-left corner at `at`.
    void Send(XId window, Surface& picture, Rect area, Point at);

private:
    void MakeSharedImage();
    void SendRows(XId window, Surface& picture, Rect area, Point at);
    void SendShared(XId window, Surface& picture, Rect area, Point at);

    X11Connection& connection_;
    struct Segment;
    Segment* segment_ = nullptr;
    // The request that last showed the shared image: until the server has
    // done it, the image may not be written again.
    unsigned long sharedRequest_ = 0;
};

}
