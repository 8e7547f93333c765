#include "platform/window/WindowSystem.h"

#include "platform/Backend.h"
#include "platform/window/Messages.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace platform {

static constexpr uint32_t kUnpainted = 0xFFFFFF;

// A window may be larger than any screen; its picture covers at most this much.
static constexpr int32_t kLargestPicture = 4096;

// A window that only moves keeps its picture: animations move windows every few milliseconds.
static void FitPicture(Window& window)
{
    int32_t width = std::min(window.rect.Width(), kLargestPicture);
    int32_t height = std::min(window.rect.Height(), kLargestPicture);
    if (width != window.picture.Width() || height != window.picture.Height())
        window.picture.Resize(width, height, kUnpainted);
}

static bool Reached(uint32_t deadline, uint32_t now)
{
    return int32_t(now - deadline) >= 0;
}

// Minimised and no-activate states show a window without giving it the focus.
static bool ShowActivates(int32_t show)
{
    switch (show) {
    case kShowAsMinimized:
    case kShowNormalNoActivate:
    case kShowMinimized:
    case kShowMinimizedNoActivate:
    case kShowNoActivate:
        return false;
    default:
        return true;
    }
}

WindowSystem::WindowSystem(Backend& backend)
    : backend_(backend)
{
}

WindowSystem::~WindowSystem() = default;

bool WindowSystem::RegisterClass(WindowClass const& windowClass)
{
    if (!windowClass.procedure || windowClass.name.empty() || FindClass(windowClass.name))
        return false;
    classes_.push_back(std::make_unique<WindowClass>(windowClass));
    return true;
}

WindowClass const* WindowSystem::FindClass(std::u16string_view name) const
{
    for (auto const& c : classes_) {
        if (c->name == name)
            return c.get();
    }
    return nullptr;
}

Window const* WindowSystem::Find(WindowHandle window) const
{
    auto it = windows_.find(window.value);
    return it == windows_.end() ? nullptr : it->second.get();
}

Window* WindowSystem::FindMutable(WindowHandle window)
{
    auto it = windows_.find(window.value);
    return it == windows_.end() ? nullptr : it->second.get();
}

std::vector<WindowHandle> WindowSystem::Windows() const
{
    std::vector<WindowHandle> handles;
    for (auto const& [value, window] : windows_)
        handles.push_back(window->handle);
    return handles;
}

WindowHandle WindowSystem::CreateWindow(uint32_t exStyle, std::u16string_view className, std::u16string_view title,
    uint32_t style, Rect rect, WindowHandle parent, InstanceHandle instance, void* parameter)
{
    WindowClass const* windowClass = FindClass(className);
    if (!windowClass)
        return {};

    auto window = std::make_unique<Window>();
    window->handle = WindowHandle { nextHandle_++ };
    window->windowClass = windowClass;
    window->style = style & ~Style::Visible;
    window->exStyle = exStyle;
    window->title = title;
    window->rect = rect;
    window->topMost = (exStyle & ExStyle::TopMost) != 0;
    window->extra.assign(size_t(std::max(windowClass->windowExtraBytes, 0) + 3) / 4, 0);
    FitPicture(*window);

    WindowHandle handle = window->handle;
    Window& entry = *window;
    windows_.emplace(handle.value, std::move(window));
    zOrder_.push_back(handle);
    Raise(entry);
    if (events_)
        events_->Created(entry);

    CreateParameters create { parameter, instance, parent, rect, style, exStyle, title, windowClass->name };
    if (SendMessage(handle, Msg::Create, 0, reinterpret_cast<LParam>(&create)) == -1) {
        DestroyWindow(handle);
        return {};
    }
    if ((style & Style::Visible) && IsWindow(handle))
        ShowWindow(handle, kShow);
    return IsWindow(handle) ? handle : WindowHandle {};
}

bool WindowSystem::DestroyWindow(WindowHandle handle)
{
    Window* window = FindMutable(handle);
    if (!window || window->destroying)
        return false;
    window->destroying = true;
    SendMessage(handle, Msg::Destroy, 0, 0);

    timers_.KillAll(handle);
    queue_.DropFor(handle);
    std::erase_if(hotKeys_, [this, handle](HotKey const& key) {
        if (key.window != handle)
            return false;
        backend_.Keys().GrabKey(key.virtualKey, key.modifiers, false);
        return true;
    });
    if (capture_ == handle)
        capture_ = {};
    if (modal_ == handle)
        modal_ = {};
    if (focus_ == handle)
        focus_ = {};
    if (lastPress_ && lastPress_->window == handle)
        lastPress_.reset();
    std::erase(zOrder_, handle);
    if (events_)
        events_->Destroyed(*window);
    windows_.erase(handle.value);
    return true;
}

// Top-most windows stay above all others; a raised window goes to the top of its band.
void WindowSystem::Raise(Window& window)
{
    std::erase(zOrder_, window.handle);
    auto position = zOrder_.begin();
    if (!window.topMost) {
        position = std::find_if(zOrder_.begin(), zOrder_.end(), [this](WindowHandle h) { return !Find(h)->topMost; });
    }
    zOrder_.insert(position, window.handle);
}

bool WindowSystem::ShowWindow(WindowHandle handle, int32_t show)
{
    Window* window = FindMutable(handle);
    if (!window)
        return false;
    bool wasVisible = window->visible;
    bool visible = show != kShowHide;
    window->visible = visible;
    if (visible != wasVisible && events_)
        visible ? events_->Shown(*window) : events_->Hidden(*window);
    if (visible && !wasVisible)
        Invalidate(handle, nullptr, true);

    if (visible && ShowActivates(show)) {
        focus_ = handle;
        Raise(*window);
    }
    if (!visible && focus_ == handle)
        focus_ = {};
    return wasVisible;
}

bool WindowSystem::SetWindowPos(WindowHandle handle, InsertAfter after, Rect rect, uint32_t flags)
{
    Window* window = FindMutable(handle);
    if (!window)
        return false;

    Rect next = window->rect;
    if (!(flags & PosFlag::NoMove)) {
        next = Rect::FromSize(rect.left, rect.top, window->rect.Width(), window->rect.Height());
    }
    if (!(flags & PosFlag::NoSize)) {
        next = Rect::FromSize(next.left, next.top, std::max(rect.Width(), 0), std::max(rect.Height(), 0));
    }
    if (next != window->rect) {
        Rect clientBefore = ClientRect(handle);
        window->rect = next;
        FitPicture(*window);
        if (events_)
            events_->Moved(*window);
        Rect clientAfter = ClientRect(handle);
        if (clientBefore != clientAfter)
            InvalidateResized(handle, clientBefore, clientAfter);
    }

    if (!(flags & PosFlag::NoZOrder))
        Restack(*window, after);

    if (flags & PosFlag::ShowWindow)
        ShowWindow(handle, (flags & PosFlag::NoActivate) ? kShowNoActivate : kShow);
    else if (flags & PosFlag::HideWindow)
        ShowWindow(handle, kShowHide);
    return true;
}

void WindowSystem::Restack(Window& window, InsertAfter after)
{
    using Kind = InsertAfter::Kind;
    bool wasTopMost = window.topMost;
    switch (after.kind) {
    case Kind::TopMost:
        window.topMost = true;
        Raise(window);
        break;
    case Kind::NoTopMost:
        window.topMost = false;
        Raise(window);
        break;
    case Kind::Top:
        Raise(window);
        break;
    case Kind::Bottom:
        window.topMost = false;
        std::erase(zOrder_, window.handle);
        zOrder_.push_back(window.handle);
        break;
    case Kind::Window: {
        Window const* anchor = Find(after.window);
        if (!anchor || anchor == &window)
            break;
        window.topMost = anchor->topMost;
        std::erase(zOrder_, window.handle);
        zOrder_.insert(std::find(zOrder_.begin(), zOrder_.end(), after.window) + 1, window.handle);
        break;
    }
    }
    if (window.topMost && !wasTopMost && events_)
        events_->BecameTopMost(window);
}

bool WindowSystem::SetTitle(WindowHandle handle, std::u16string_view title)
{
    Window* window = FindMutable(handle);
    if (!window)
        return false;
    if (window->title != title) {
        window->title = title;
        if (events_)
            events_->TitleChanged(*window);
    }
    return true;
}

intptr_t WindowSystem::GetExtra(WindowHandle handle, int32_t byteIndex) const
{
    Window const* window = Find(handle);
    if (!window || byteIndex < 0 || byteIndex % 4 != 0 || size_t(byteIndex / 4) >= window->extra.size())
        return 0;
    return window->extra[size_t(byteIndex / 4)];
}

intptr_t WindowSystem::SetExtra(WindowHandle handle, int32_t byteIndex, intptr_t value)
{
    Window* window = FindMutable(handle);
    if (!window || byteIndex < 0 || byteIndex % 4 != 0 || size_t(byteIndex / 4) >= window->extra.size())
        return 0;
    return std::exchange(window->extra[size_t(byteIndex / 4)], value);
}

Rect WindowSystem::ClientRect(WindowHandle handle) const
{
    Window const* window = Find(handle);
    if (!window)
        return {};
    int32_t width = window->rect.Width();
    int32_t height = window->rect.Height();
    if (window->HasCaption()) {
        width -= 2 * kFrameWidth;
        height -= 2 * kFrameWidth + backend_.Screen().CaptionHeight();
    }
    return { 0, 0, std::max(width, 0), std::max(height, 0) };
}

Point WindowSystem::ClientOrigin(Window const& window) const
{
    if (!window.HasCaption())
        return { window.rect.left, window.rect.top };
    return { window.rect.left + kFrameWidth, window.rect.top + kFrameWidth + backend_.Screen().CaptionHeight() };
}

Surface* WindowSystem::PictureOf(WindowHandle handle)
{
    Window* window = FindMutable(handle);
    return window ? &window->picture : nullptr;
}

Rect WindowSystem::ClientOnScreen(WindowHandle handle) const
{
    Window const* window = Find(handle);
    if (!window)
        return {};
    Point origin = ClientOrigin(*window);
    Rect client = ClientRect(handle);
    return Rect::FromSize(origin.x, origin.y, client.Width(), client.Height());
}

Point WindowSystem::ClientOffset(WindowHandle handle) const
{
    Window const* window = Find(handle);
    if (!window)
        return {};
    Point origin = ClientOrigin(*window);
    return { origin.x - window->rect.left, origin.y - window->rect.top };
}

bool WindowSystem::Invalidate(WindowHandle handle, Rect const* rect, bool erase)
{
    Window* window = FindMutable(handle);
    if (!window)
        return false;
    Rect client = ClientRect(handle);
    Rect area = rect ? Rect { std::max(rect->left, 0), std::max(rect->top, 0), std::min(rect->right, client.right),
                           std::min(rect->bottom, client.bottom) }
                     : client;
    if (area.left >= area.right || area.top >= area.bottom)
        return true;
    if (window->invalid)
        area = window->invalid->Union(area);
    window->invalid = area;
    window->eraseDue = window->eraseDue || erase;
    return true;
}

WindowSystem::Invalid WindowSystem::Validate(WindowHandle handle)
{
    Window* window = FindMutable(handle);
    if (!window || !window->invalid)
        return {};
    Invalid taken { *window->invalid, window->eraseDue };
    window->invalid.reset();
    window->eraseDue = false;
    return taken;
}

// Classes that ask for it are redrawn whole; others only where the client area grew.
void WindowSystem::InvalidateResized(WindowHandle handle, Rect before, Rect after)
{
    uint32_t style = Find(handle)->windowClass->style;
    bool widthChanged = before.Width() != after.Width();
    bool heightChanged = before.Height() != after.Height();
    if ((widthChanged && (style & ClassStyle::HorizontalRedraw)) || (heightChanged && (style & ClassStyle::VerticalRedraw))) {
        Invalidate(handle, nullptr, true);
        return;
    }
    Rect right { before.right, 0, after.right, after.bottom };
    Rect below { 0, before.bottom, after.right, after.bottom };
    Invalidate(handle, &right, true);
    Invalidate(handle, &below, true);
}

// Paint messages come when nothing is posted, for visible windows, oldest window first.
Window const* WindowSystem::FirstToPaint() const
{
    for (auto const& [value, window] : windows_) {
        if (window->visible && window->invalid && !window->destroying)
            return window.get();
    }
    return nullptr;
}

std::vector<WindowHandle> WindowSystem::ZOrder() const
{
    std::vector<WindowHandle> visible;
    for (WindowHandle h : zOrder_) {
        if (Find(h)->visible)
            visible.push_back(h);
    }
    return visible;
}

WindowHandle WindowSystem::WindowAt(Point screenPoint) const
{
    for (WindowHandle h : zOrder_) {
        Window const* window = Find(h);
        if (window->visible && window->rect.Contains(screenPoint))
            return h;
    }
    return {};
}

LResult WindowSystem::SendMessage(WindowHandle handle, uint32_t message, WParam wParam, LParam lParam)
{
    Window const* window = Find(handle);
    if (!window)
        return 0;
    WindowProcedure procedure = window->windowClass->procedure;
    return procedure(handle, message, wParam, lParam);
}

bool WindowSystem::PostMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    if (window && !IsWindow(window))
        return false;
    queue_.Post({ window, message, wParam, lParam });
    return true;
}

void WindowSystem::PostQuitMessage(int32_t exitCode)
{
    queue_.PostQuit(exitCode);
}

WindowSystem::Fetch WindowSystem::NextMessage(Message& message, std::optional<uint32_t> deadline, bool nested)
{
    for (;;) {
        if (runOver_)
            return Fetch::Over;
        if (auto posted = queue_.TakePosted()) {
            message = *posted;
            return Fetch::Message;
        }
        if (queue_.QuitPending()) {
            if (nested)
                return Fetch::Quit;
            message = { {}, Msg::Quit, WParam(uint32_t(*queue_.TakeQuit())), 0 };
            return Fetch::Quit;
        }
        if (Window const* window = FirstToPaint()) {
            message = { window->handle, Msg::Paint, 0, 0 };
            return Fetch::Message;
        }
        uint32_t now = backend_.Services().TickCount();
        if (auto due = timers_.TakeDue(now)) {
            message = { due->window, Msg::Timer, due->id, 0 };
            return Fetch::Message;
        }
        if (deadline && Reached(*deadline, now))
            return Fetch::Deadline;

        std::optional<uint32_t> wake = timers_.NextDue(now);
        if (deadline && (!wake || int32_t(*deadline - *wake) < 0))
            wake = deadline;
        if (!backend_.Screen().WaitForEvents(wake))
            runOver_ = true;
    }
}

bool WindowSystem::GetMessage(Message& message)
{
    switch (NextMessage(message, std::nullopt, false)) {
    case Fetch::Message:
        return true;
    case Fetch::Over:
        message = { {}, Msg::Quit, 0, 0 };
        return false;
    default:
        return false;
    }
}

LResult WindowSystem::DispatchMessage(Message const& message)
{
    if (!message.window)
        return 0;
    return SendMessage(message.window, message.message, message.wParam, message.lParam);
}

void WindowSystem::RunModalLoop(uint32_t deadline)
{
    Message message;
    while (NextMessage(message, deadline, true) == Fetch::Message)
        DispatchMessage(message);
}

bool WindowSystem::RunModalLoopUntil(std::function<bool()> const& done)
{
    Message message;
    while (!done()) {
        if (NextMessage(message, std::nullopt, true) != Fetch::Message)
            return false;
        DispatchMessage(message);
    }
    return true;
}

uintptr_t WindowSystem::SetTimer(WindowHandle window, uintptr_t id, uint32_t period)
{
    if (!IsWindow(window))
        return 0;
    timers_.Set(window, id, period, backend_.Services().TickCount());
    return id ? id : 1;
}

bool WindowSystem::KillTimer(WindowHandle window, uintptr_t id)
{
    return timers_.Kill(window, id);
}

WindowHandle WindowSystem::SetCapture(WindowHandle window)
{
    WindowHandle previous = capture_;
    if (IsWindow(window))
        capture_ = window;
    return previous;
}

bool WindowSystem::ReleaseCapture()
{
    capture_ = {};
    return true;
}

bool WindowSystem::SetForegroundWindow(WindowHandle handle)
{
    Window* window = FindMutable(handle);
    if (!window)
        return false;
    focus_ = handle;
    Raise(*window);
    return true;
}

void WindowSystem::PostPen(uint32_t message, WindowHandle target, Point screenPoint, WParam keyState)
{
    Point origin = ClientOrigin(*Find(target));
    auto x = uint16_t(screenPoint.x - origin.x);
    auto y = uint16_t(screenPoint.y - origin.y);
    queue_.Post({ target, message, keyState, MakeLParam(x, y) });
}

void WindowSystem::PenDown(Point screenPoint)
{
    WindowHandle target = capture_ ? capture_ : WindowAt(screenPoint);
    if (!target || (modal_ && target != modal_))
        return;
    uint32_t now = backend_.Services().TickCount();
    bool doubleClick = (Find(target)->windowClass->style & ClassStyle::DoubleClicks) && lastPress_
        && lastPress_->window == target && now - lastPress_->tick <= kDoubleClickTime
        && std::abs(screenPoint.x - lastPress_->point.x) <= kDoubleClickDistance
        && std::abs(screenPoint.y - lastPress_->point.y) <= kDoubleClickDistance;
    if (doubleClick) {
        lastPress_.reset();
        PostPen(Msg::LeftButtonDoubleClick, target, screenPoint, kKeyStateLeftButton);
        return;
    }
    lastPress_ = LastPress { target, now, screenPoint };
    PostPen(Msg::LeftButtonDown, target, screenPoint, kKeyStateLeftButton);
}

void WindowSystem::PenUp(Point screenPoint)
{
    WindowHandle target = capture_ ? capture_ : WindowAt(screenPoint);
    if (target && (!modal_ || target == modal_))
        PostPen(Msg::LeftButtonUp, target, screenPoint, 0);
}

bool WindowSystem::RegisterHotKey(WindowHandle window, int32_t id, uint32_t modifiers, uint32_t virtualKey)
{
    bool taken = std::any_of(hotKeys_.begin(), hotKeys_.end(), [&](HotKey const& key) {
        return (key.virtualKey == virtualKey && key.modifiers == modifiers) || (key.window == window && key.id == id);
    });
    bool ok = IsWindow(window) && !taken && backend_.Keys().GrabKey(virtualKey, modifiers, true);
    if (ok)
        hotKeys_.push_back({ window, id, modifiers, virtualKey });
    if (events_)
        events_->HotKeyChanged(true, id, virtualKey, ok);
    return ok;
}

bool WindowSystem::UnregisterHotKey(WindowHandle window, int32_t id)
{
    auto found = std::find_if(hotKeys_.begin(), hotKeys_.end(), [&](HotKey const& key) { return key.window == window && key.id == id; });
    bool ok = found != hotKeys_.end();
    uint32_t virtualKey = ok ? found->virtualKey : 0;
    if (ok) {
        backend_.Keys().GrabKey(found->virtualKey, found->modifiers, false);
        hotKeys_.erase(found);
    }
    if (events_)
        events_->HotKeyChanged(false, id, virtualKey, ok);
    return ok;
}

void WindowSystem::Key(uint32_t virtualKey, bool down)
{
    bool wasDown = KeyIsDown(virtualKey);
    if (down && !wasDown)
        keysDown_.push_back(virtualKey);
    if (!down)
        std::erase(keysDown_, virtualKey);
    // A registered key going down notifies its window alone.
    if (down) {
        for (HotKey const& key : hotKeys_) {
            if (key.virtualKey == virtualKey && key.modifiers == 0) {
                queue_.Post({ key.window, Msg::HotKey, WParam(key.id), MakeLParam(uint16_t(key.modifiers), uint16_t(virtualKey)) });
                return;
            }
        }
    }
    if (!focus_)
        return;
    // Repeat count 1; a release also carries the previous-state and transition bits.
    LParam flags = down ? (wasDown ? 0x40000001 : 1) : LParam(0xC0000001u);
    queue_.Post({ focus_, down ? Msg::KeyDown : Msg::KeyUp, virtualKey, flags });
}

bool WindowSystem::KeyIsDown(uint32_t virtualKey) const
{
    return std::find(keysDown_.begin(), keysDown_.end(), virtualKey) != keysDown_.end();
}

}
