#include "platform/win32/Win32Screen.h"

#include "platform/roles/SystemServices.h"
#include "platform/window/Messages.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

constexpr wchar_t kViewClass[] = L"VessarineWindow";
constexpr wchar_t kServiceClass[] = L"VessarineService";
constexpr UINT_PTR kServeTimer = 1;
constexpr UINT kServeNow = WM_APP + 1;

void RegisterClasses(WNDPROC viewProcedure, WNDPROC serviceProcedure)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW view {};
    view.cbSize = sizeof view;
    view.lpfnWndProc = viewProcedure;
    view.hInstance = instance;
    view.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    view.lpszClassName = kViewClass;
    RegisterClassExW(&view);
    WNDCLASSEXW service {};
    service.cbSize = sizeof service;
    service.lpfnWndProc = serviceProcedure;
    service.hInstance = instance;
    service.lpszClassName = kServiceClass;
    RegisterClassExW(&service);
}

Win32Screen* ScreenOf(HWND id)
{
    return reinterpret_cast<Win32Screen*>(GetWindowLongPtrW(id, GWLP_USERDATA));
}

// The screen that a window being created belongs to, from its creation parameter.
void KeepScreen(HWND id, LPARAM lParam)
{
    auto* creation = reinterpret_cast<CREATESTRUCTW const*>(lParam);
    SetWindowLongPtrW(id, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
}

}

Win32Screen::Win32Screen(WindowSystem& windows, SystemServices& clock)
    : windows_(windows)
    , clock_(clock)
{
    RegisterClasses(ViewProcedure, ServiceProcedure);
    service_ = CreateWindowExW(0, kServiceClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), this);
    windows_.SetEvents(this);
}

Win32Screen::~Win32Screen()
{
    windows_.SetEvents(nullptr);
    views_.clear();
    if (service_)
        DestroyWindow(service_);
}

Rect Win32Screen::Bounds() const
{
    return { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
}

Rect Win32Screen::WorkArea() const
{
    RECT area {};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) || area.right <= area.left || area.bottom <= area.top)
        return Bounds();
    return { area.left, area.top, area.right, area.bottom };
}

bool Win32Screen::WaitForEvents(std::optional<uint32_t> deadline)
{
    Present();
    MSG message {};
    bool handled = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // Only the system posts a quit of its own (the session ends): the run is over.
        if (message.message == WM_QUIT)
            return false;
        TranslateMessage(&message);
        DispatchMessageW(&message);
        handled = true;
    }
    if (handled)
        return true;
    uint32_t const now = clock_.TickCount();
    if (deadline && int32_t(*deadline - now) <= 0)
        return true;
    DWORD timeout = deadline ? DWORD(*deadline - now) : INFINITE;
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return true;
}

HWND Win32Screen::WindowOf(WindowHandle window) const
{
    auto found = views_.find(window.value);
    return found == views_.end() ? nullptr : found->second->Id();
}

WindowHandle Win32Screen::HandleOf(HWND id) const
{
    for (auto const& [number, view] : views_) {
        if (view->Id() == id)
            return WindowHandle { number };
    }
    return {};
}

// The pen lands where our window system has the window, wherever the system's
// frame may have been dragged meanwhile.
Point Win32Screen::ScreenPointOf(WindowHandle handle, LPARAM clientPoint)
{
    if (!windows_.IsWindow(handle))
        return {};
    Rect client = windows_.ClientOnScreen(handle);
    return { client.left + int16_t(LOWORD(clientPoint)), client.top + int16_t(HIWORD(clientPoint)) };
}

LRESULT CALLBACK Win32Screen::ViewProcedure(HWND id, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        KeepScreen(id, lParam);
    Win32Screen* screen = ScreenOf(id);
    return screen ? screen->HandleView(id, message, wParam, lParam) : DefWindowProcW(id, message, wParam, lParam);
}

LRESULT CALLBACK Win32Screen::ServiceProcedure(HWND id, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        KeepScreen(id, lParam);
    Win32Screen* screen = ScreenOf(id);
    if (screen && ((message == WM_TIMER && wParam == kServeTimer) || message == kServeNow)) {
        screen->ServeWhileBoxOpen();
        return 0;
    }
    return DefWindowProcW(id, message, wParam, lParam);
}

LRESULT Win32Screen::HandleView(HWND id, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowHandle handle = HandleOf(id);
    if (!handle)
        return DefWindowProcW(id, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        if (Surface* picture = windows_.PictureOf(handle))
            views_[handle.value]->Paint(*picture, windows_.ClientOffset(handle));
        else
            ValidateRect(id, nullptr);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        SetCapture(id);
        windows_.PenDown(ScreenPointOf(handle, lParam));
        break;
    case WM_LBUTTONUP:
        ReleaseCapture();
        windows_.PenUp(ScreenPointOf(handle, lParam));
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: {
        if (windows_.Focus() != handle)
            windows_.SetForegroundWindow(handle);
        windows_.Key(uint32_t(wParam), message == WM_KEYDOWN || message == WM_SYSKEYDOWN);
        // The system's own keys (Alt+F4, the system menu) still work.
        if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP)
            return DefWindowProcW(id, message, wParam, lParam);
        break;
    }
    case WM_CLOSE:
        windows_.PostMessage(handle, Msg::Close, 0, 0);
        break;
    case WM_SYSCOMMAND:
        // The program decides what minimising means: the daemon hides into its tray icon.
        if ((wParam & SystemCommand::Mask) == SystemCommand::Minimize) {
            windows_.PostMessage(handle, Msg::SystemCommand, SystemCommand::Minimize, 0);
            break;
        }
        return DefWindowProcW(id, message, wParam, lParam);
    case WM_MOUSEACTIVATE:
        // A tap on a page does not take the keyboard from the window that has it.
        if (!views_[handle.value]->Framed())
            return MA_NOACTIVATE;
        return DefWindowProcW(id, message, wParam, lParam);
    default:
        return DefWindowProcW(id, message, wParam, lParam);
    }
    if (openBoxes_ > 0)
        PostMessageW(service_, kServeNow, 0, 0);
    return 0;
}

void Win32Screen::BoxOpened()
{
    if (openBoxes_++ == 0)
        PostMessageW(service_, kServeNow, 0, 0);
}

void Win32Screen::BoxClosed()
{
    if (--openBoxes_ == 0)
        KillTimer(service_, kServeTimer);
}

void Win32Screen::ServeWhileBoxOpen()
{
    if (openBoxes_ == 0 || serving_)
        return;
    serving_ = true;
    windows_.RunModalLoop(clock_.TickCount());
    Present();
    serving_ = false;
    uint32_t const now = clock_.TickCount();
    if (std::optional<uint32_t> due = windows_.NextTimerDue(now))
        SetTimer(service_, kServeTimer, std::max<UINT>(USER_TIMER_MINIMUM, UINT(std::max(int32_t(*due - now), 0))), nullptr);
    else
        KillTimer(service_, kServeTimer);
}

void Win32Screen::Present()
{
    for (auto const& [number, view] : views_) {
        WindowHandle handle { number };
        if (Surface* picture = windows_.PictureOf(handle))
            view->Present(*picture, windows_.ClientOffset(handle));
    }
    if (stackingChanged_)
        Restack();
}

// Our windows keep among themselves the order the window system gives them.
void Win32Screen::Restack()
{
    stackingChanged_ = false;
    std::vector<WindowHandle> order = windows_.ZOrder();
    HWND above = nullptr;
    for (WindowHandle handle : order) {
        auto found = views_.find(handle.value);
        if (found == views_.end())
            continue;
        if (above)
            SetWindowPos(found->second->Id(), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        above = found->second->Id();
    }
}

void Win32Screen::Created(Window const& window)
{
    auto view = std::make_unique<Win32WindowView>(kViewClass, window, windows_.ClientOnScreen(window.handle), this);
    Win32WindowView& shown = *view;
    views_[window.handle.value] = std::move(view);
    if (window.visible)
        shown.SetVisible(true);
    stackingChanged_ = true;
}

void Win32Screen::Moved(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->Place(windows_.ClientOnScreen(window.handle));
    stackingChanged_ = true;
}

void Win32Screen::Shown(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetVisible(true);
    stackingChanged_ = true;
}

void Win32Screen::Hidden(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetVisible(false);
}

void Win32Screen::BecameTopMost(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetTopMost(window.topMost);
    stackingChanged_ = true;
}

void Win32Screen::TitleChanged(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetTitle(window.title);
}

void Win32Screen::Destroyed(Window const& window)
{
    views_.erase(window.handle.value);
}

}
