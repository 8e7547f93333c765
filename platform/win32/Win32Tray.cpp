#include "platform/win32/Win32Tray.h"

#include "platform/window/WindowSystem.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

// A system icon with the picture's colours and every pixel opaque: our
// pictures carry no transparency, the tray's background shows nowhere.
HICON IconFromPicture(Surface const& picture)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = picture.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!colour)
        return nullptr;
    // The fourth byte is the system's alpha: opaque everywhere.
    auto* target = static_cast<uint32_t*>(bits);
    for (int32_t y = 0; y < picture.Height(); ++y) {
        uint32_t const* row = picture.Row(y);
        uint32_t* out = target + size_t(picture.Height() - 1 - y) * size_t(picture.Width());
        for (int32_t x = 0; x < picture.Width(); ++x)
            out[x] = row[x] | 0xFF000000u;
    }
    // All zero: the colour bitmap shows unchanged.
    std::vector<uint8_t> maskBits(size_t((picture.Width() + 15) / 16 * 2) * size_t(picture.Height()), 0);
    HBITMAP mask = CreateBitmap(picture.Width(), picture.Height(), 1, 1, maskBits.data());
    ICONINFO icon {};
    icon.fIcon = TRUE;
    icon.hbmColor = colour;
    icon.hbmMask = mask;
    HICON made = CreateIconIndirect(&icon);
    DeleteObject(colour);
    DeleteObject(mask);
    return made;
}

}

Win32Tray::Win32Tray(WindowSystem& windows, HWND receiver, UINT message)
    : windows_(windows)
    , receiver_(receiver)
    , message_(message)
{
}

Win32Tray::~Win32Tray()
{
    for (Icon& icon : icons_)
        Forget(icon);
}

Win32Tray::Icon* Win32Tray::Find(WindowHandle owner, uint32_t id)
{
    auto found = std::find_if(icons_.begin(), icons_.end(), [&](Icon const& icon) { return icon.owner == owner && icon.id == id; });
    return found == icons_.end() ? nullptr : &*found;
}

void Win32Tray::Forget(Icon const& icon)
{
    NOTIFYICONDATAW gone {};
    gone.cbSize = sizeof gone;
    gone.hWnd = receiver_;
    gone.uID = icon.number;
    Shell_NotifyIconW(NIM_DELETE, &gone);
}

bool Win32Tray::Notify(uint32_t message, NotifyIconData const& data)
{
    Icon* icon = Find(data.window, data.id);
    if (message == Tray::Delete) {
        if (!icon)
            return false;
        Forget(*icon);
        std::erase_if(icons_, [icon](Icon const& entry) { return &entry == icon; });
        return true;
    }
    bool const adding = message == Tray::Add;
    if ((message != Tray::Add && message != Tray::Modify) || adding == (icon != nullptr))
        return false;
    Icon changed = icon ? *icon : Icon { data.window, data.id, nextNumber_, 0 };
    if (data.flags & Tray::HasMessage)
        changed.callbackMessage = data.callbackMessage;
    NOTIFYICONDATAW request {};
    request.cbSize = sizeof request;
    request.hWnd = receiver_;
    request.uID = changed.number;
    request.uFlags = NIF_MESSAGE;
    request.uCallbackMessage = message_;
    Surface const* picture = (data.flags & Tray::HasIcon) ? IconPicture(data.icon) : nullptr;
    HICON made = picture && !picture->Empty() ? IconFromPicture(*picture) : nullptr;
    if (made) {
        request.uFlags |= NIF_ICON;
        request.hIcon = made;
    }
    if (data.flags & Tray::HasTip) {
        request.uFlags |= NIF_TIP;
        size_t length = std::find(data.tip, data.tip + 63, u'\0') - data.tip;
        std::copy(data.tip, data.tip + length, request.szTip);
    }
    bool const done = Shell_NotifyIconW(adding ? NIM_ADD : NIM_MODIFY, &request);
    // The shell keeps a copy of its own.
    if (made)
        DestroyIcon(made);
    if (!done)
        return false;
    if (icon) {
        *icon = changed;
    } else {
        icons_.push_back(changed);
        ++nextNumber_;
    }
    return true;
}

void Win32Tray::Clicked(WPARAM number, LPARAM mouseMessage)
{
    auto found = std::find_if(icons_.begin(), icons_.end(), [&](Icon const& icon) { return icon.number == number; });
    if (found != icons_.end() && found->callbackMessage)
        windows_.PostMessage(found->owner, found->callbackMessage, found->id, LParam(uint32_t(mouseMessage)));
}

}
