#include "platform/x11/X11PictureTransfer.h"

#include <algorithm>
#include <cstring>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace platform {

// From this many pixels on, an area goes through the shared image, in bands of
// at most this many pixels: a small change travels faster through the socket
// than a shared image would by the round trip it needs before it may be
// written again.
constexpr int64_t kSharedPixels = 16384;

struct X11PictureTransfer::Segment {
    XShmSegmentInfo info {};
};

X11PictureTransfer::X11PictureTransfer(X11Connection& connection)
    : connection_(connection)
{
    if (connection_.HasSharedMemory())
        MakeSharedImage();
}

X11PictureTransfer::~X11PictureTransfer()
{
    if (!segment_)
        return;
    XShmDetach(connection_.Display(), &segment_->info);
    XSync(connection_.Display(), False);
    shmdt(segment_->info.shmaddr);
    delete segment_;
}

void X11PictureTransfer::MakeSharedImage()
{
    Display* display = connection_.Display();
    auto segment = new Segment;
    segment->info.shmid = shmget(IPC_PRIVATE, size_t(kSharedPixels) * 4, IPC_CREAT | 0600);
    if (segment->info.shmid < 0) {
        delete segment;
        return;
    }
    void* memory = shmat(segment->info.shmid, nullptr, 0);
    if (memory == reinterpret_cast<void*>(-1)) {
        shmctl(segment->info.shmid, IPC_RMID, nullptr);
        delete segment;
        return;
    }
    segment->info.shmaddr = static_cast<char*>(memory);
    segment->info.readOnly = True;
    bool attached = false;
    {
        X11ErrorTrap trap(display);
        XShmAttach(display, &segment->info);
        attached = !trap.Failed();
    }
    // Gone once both sides have let go of it, even if we crash.
    shmctl(segment->info.shmid, IPC_RMID, nullptr);
    if (!attached) {
        shmdt(memory);
        delete segment;
        return;
    }
    segment_ = segment;
}

void X11PictureTransfer::Send(XId window, Surface& picture, Rect area, Point at)
{
    area = { std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, picture.Width()),
        std::min(area.bottom, picture.Height()) };
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    if (segment_ && int64_t(area.Width()) * area.Height() >= kSharedPixels)
        SendShared(window, picture, area, at);
    else
        SendRows(window, picture, area, at);
}

// The picture's rows are stored bottom-up, an image's top-down: one request a row.
void X11PictureTransfer::SendRows(XId window, Surface& picture, Rect area, Point at)
{
    Display* display = connection_.Display();
    XImage image {};
    image.width = picture.Width();
    image.height = picture.Height();
    image.format = ZPixmap;
    image.data = reinterpret_cast<char*>(picture.Bits());
    // Our pixels are 0x00RRGGBB words in this machine's byte order.
    image.byte_order = LSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = LSBFirst;
    image.bitmap_pad = 32;
    image.depth = connection_.Depth();
    image.bytes_per_line = picture.Width() * 4;
    image.bits_per_pixel = 32;
    auto* visual = static_cast<Visual*>(connection_.VisualHandle());
    image.red_mask = visual->red_mask;
    image.green_mask = visual->green_mask;
    image.blue_mask = visual->blue_mask;
    if (!XInitImage(&image))
        return;
    GC gc = DefaultGC(display, connection_.ScreenNumber());
    auto width = unsigned(area.Width());
    for (int32_t y = area.top; y < area.bottom; ++y)
        XPutImage(display, window, gc, &image, area.left, picture.Height() - 1 - y, at.x, at.y + (y - area.top), width, 1);
}

void X11PictureTransfer::SendShared(XId window, Surface& picture, Rect area, Point at)
{
    Display* display = connection_.Display();
    GC gc = DefaultGC(display, connection_.ScreenNumber());
    auto* visual = static_cast<Visual*>(connection_.VisualHandle());
    int32_t width = area.Width();
    int32_t bandRows = int32_t(std::max<int64_t>(kSharedPixels / width, 1));
    for (int32_t top = area.top; top < area.bottom; top += bandRows) {
        int32_t rows = std::min(bandRows, area.bottom - top);
        if (LastKnownRequestProcessed(display) < sharedRequest_)
            XSync(display, False);
        XImage* image = XShmCreateImage(display, visual, unsigned(connection_.Depth()), ZPixmap, segment_->info.shmaddr,
            &segment_->info, unsigned(width), unsigned(rows));
        if (!image || image->bits_per_pixel != 32 || size_t(image->bytes_per_line) * size_t(rows) > size_t(kSharedPixels) * 4) {
            if (image) {
                image->data = nullptr;
                XDestroyImage(image);
            }
            SendRows(window, picture, { area.left, top, area.right, area.bottom }, { at.x, at.y + (top - area.top) });
            return;
        }
        image->byte_order = LSBFirst;
        for (int32_t y = 0; y < rows; ++y) {
            std::memcpy(image->data + size_t(y) * size_t(image->bytes_per_line), picture.Row(top + y) + area.left,
                size_t(width) * 4);
        }
        XShmPutImage(display, window, gc, image, 0, 0, at.x, at.y + (top - area.top), unsigned(width), unsigned(rows), False);
        sharedRequest_ = NextRequest(display) - 1;
        image->data = nullptr;
        XDestroyImage(image);
    }
}

}
