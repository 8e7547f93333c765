#pragma once

// The Win32 window that shows one of our windows: its client area is the
// client area of ours, placed where ours is, and paints from our window's
// picture. Pop-ups are tool windows (off the task bar) that do not take the
// focus; a window with a caption gets the system's frame, caption and menu.

#include "platform/Types.h"
#include "platform/draw/Surface.h"
#include "platform/win32/WindowsApi.h"

#include <string_view>

namespace platform {

struct Window;

class Win32WindowView {
public:
    // `windowClass` is the screen's registered class; `self` goes into the
    // window's user data so that its procedure finds us.
    Win32WindowView(wchar_t const* windowClass, Window const& window, Rect client, void* owner);
    ~Win32WindowView();
    Win32WindowView(Win32WindowView const&) = delete;
    Win32WindowView& operator=(Win32WindowView const&) = delete;

    HWND Id() const { return id_; }
    bool Framed() const { return framed_; }
    void Place(Rect client);
    void SetTitle(std::u16string_view title);
    void SetVisible(bool visible);
    void SetTopMost(bool topMost);

    // Shows the part of the picture that changed since the last time.
    void Present(Surface& picture, Point clientOffset);
    // Answers a paint request of the system from the picture.
    void Paint(Surface& picture, Point clientOffset);

private:
    Rect OuterRect(Rect client) const;
    void Show(HDC context, Rect area, Surface& picture, Point clientOffset);

    HWND id_ = nullptr;
    bool framed_ = false;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    Rect client_;
    int32_t shownWidth_ = 0;
    int32_t shownHeight_ = 0;
};

}
