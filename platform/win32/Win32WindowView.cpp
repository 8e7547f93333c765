#include "platform/win32/Win32WindowView.h"

#include "platform/window/Messages.h"
#include "platform/window/Window.h"

#include <algorithm>

namespace platform {

Win32WindowView::Win32WindowView(wchar_t const* windowClass, Window const& window, Rect client, void* owner)
    : framed_(window.HasCaption())
    , client_(client)
{
    if (framed_) {
        style_ = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
        if (window.style & Style::SystemMenu)
            style_ |= WS_SYSMENU;
        if (window.style & Style::MinimizeBox)
            style_ |= WS_MINIMIZEBOX;
    } else {
        // Pop-ups are placed to the pixel and moved every few milliseconds by
        // animations; they take pen input without taking the keyboard away.
        style_ = WS_POPUP;
        exStyle_ = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    }
    if (window.topMost)
        exStyle_ |= WS_EX_TOPMOST;
    Rect outer = OuterRect(client);
    id_ = CreateWindowExW(exStyle_, windowClass, win32::Wide(window.title).c_str(), style_, outer.left, outer.top,
        outer.Width(), outer.Height(), nullptr, nullptr, GetModuleHandleW(nullptr), owner);
}

Win32WindowView::~Win32WindowView()
{
    if (id_)
        DestroyWindow(id_);
}

// The window's outer rectangle for a client area: the frame's own around it.
Rect Win32WindowView::OuterRect(Rect client) const
{
    RECT outer { client.left, client.top, client.left + std::max(client.Width(), 1), client.top + std::max(client.Height(), 1) };
    AdjustWindowRectEx(&outer, style_, FALSE, exStyle_);
    return { outer.left, outer.top, outer.right, outer.bottom };
}

void Win32WindowView::Place(Rect client)
{
    if (client == client_)
        return;
    client_ = client;
    Rect outer = OuterRect(client);
    SetWindowPos(id_, nullptr, outer.left, outer.top, outer.Width(), outer.Height(),
        SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Win32WindowView::SetTitle(std::u16string_view title)
{
    SetWindowTextW(id_, win32::Wide(title).c_str());
}

void Win32WindowView::SetVisible(bool visible)
{
    ShowWindow(id_, visible ? (framed_ ? SW_SHOW : SW_SHOWNOACTIVATE) : SW_HIDE);
}

void Win32WindowView::SetTopMost(bool topMost)
{
    SetWindowPos(id_, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32WindowView::Present(Surface& picture, Point clientOffset)
{
    Rect damage = picture.TakeDamage();
    int32_t width = std::min(client_.Width(), picture.Width() - clientOffset.x);
    int32_t height = std::min(client_.Height(), picture.Height() - clientOffset.y);
    if (width <= 0 || height <= 0)
        return;
    if (width != shownWidth_ || height != shownHeight_)
        damage = { clientOffset.x, clientOffset.y, clientOffset.x + width, clientOffset.y + height };
    shownWidth_ = width;
    shownHeight_ = height;
    Rect area { std::max(damage.left - clientOffset.x, 0), std::max(damage.top - clientOffset.y, 0),
        std::min(damage.right - clientOffset.x, width), std::min(damage.bottom - clientOffset.y, height) };
    if (area.IsEmpty() || !IsWindowVisible(id_))
        return;
    HDC context = GetDC(id_);
    Show(context, area, picture, clientOffset);
    ReleaseDC(id_, context);
    // What was shown now needs no paint request of its own.
    RECT shown { area.left, area.top, area.right, area.bottom };
    ValidateRect(id_, &shown);
}

void Win32WindowView::Paint(Surface& picture, Point clientOffset)
{
    PAINTSTRUCT paint {};
    HDC context = BeginPaint(id_, &paint);
    Rect area { paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom };
    Show(context, area, picture, clientOffset);
    EndPaint(id_, &paint);
}

// Our pictures are already the system's bottom-up 32-bit layout: the part
// is handed over as it lies in memory, without a copy.
void Win32WindowView::Show(HDC context, Rect area, Surface& picture, Point clientOffset)
{
    area = { std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, shownWidth_),
        std::min(area.bottom, shownHeight_) };
    if (area.IsEmpty())
        return;
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = picture.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Rows are counted from the picture's bottom.
    int32_t const sourceX = area.left + clientOffset.x;
    int32_t const sourceBottom = picture.Height() - (area.bottom + clientOffset.y);
    SetDIBitsToDevice(context, area.left, area.top, DWORD(area.Width()), DWORD(area.Height()), sourceX, sourceBottom, 0,
        UINT(picture.Height()), picture.Bits(), &info, DIB_RGB_COLORS);
}

}
