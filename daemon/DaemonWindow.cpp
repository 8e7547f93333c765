// The daemon window's procedure: the key-code probe, the state fields, the
// tray field, minimising into the tray, and the key and timer notifications
// handed to the tracker.

#include "daemon/DaemonWindow.h"

#include "daemon/DaemonMessages.h"
#include "daemon/PressTracker.h"
#include "daemon/TrayIcon.h"
#include "platform/Drawing.h"
#include "platform/FileWatch.h"
#include "platform/Shell.h"
#include "platform/SolidDrawing.h"
#include "platform/Utf.h"
#include "platform/Windowing.h"

#include <memory>
#include <string>

namespace brellum {

using namespace platform;

namespace {

// The right-hand column holds the state letters and the tray field.
constexpr int32_t kColumn = 18;
// Clicks count from a little left of the column's separator.
constexpr int32_t kClickMargin = 20;
constexpr uint32_t kTrayIconId = 1;
constexpr LParam kTrayLeftButtonDown = Msg::LeftButtonDown;
constexpr ColorRef kGrey = Rgb(0x60, 0x60, 0x60);
constexpr uint32_t kCentredLine = TextFormat::Center | TextFormat::VerticalCenter | TextFormat::SingleLine;
constexpr std::u16string_view kContactLine = u"Brellum - Fragen an brellum@example.org";

// What the window keeps, in its extra storage: the keys and their bindings,
// and the probe's last key code.
struct DaemonWindow {
    explicit DaemonWindow(WindowHandle window)
        : keys(window, StateMessage)
    {
    }

    PressTracker keys;
    uint32_t lastKeyCode = 0;
};

DaemonWindow* DaemonOf(WindowHandle window)
{
    return reinterpret_cast<DaemonWindow*>(GetWindowLong(window, 0));
}

bool IsActive(DaemonWindow const* daemon)
{
    return daemon && !daemon->keys.Disabled();
}

int32_t StateIcon(DaemonWindow const* daemon)
{
    return daemon && daemon->keys.Disabled() ? kInactiveIcon : kActiveIcon;
}

LResult OnCreate(WindowHandle window, LParam lParam)
{
    auto const* create = reinterpret_cast<CreateParameters const*>(lParam);
    auto const* commandLine = static_cast<char16_t const*>(create->parameter);
    auto daemon = std::make_unique<DaemonWindow>(window);
    // The window can be closed while a message about the file is open; it
    // has no state yet then, and this one is dropped.
    if (!daemon->keys.LoadFirstFile(commandLine ? commandLine : u"") || !IsWindow(window))
        return -1;
    daemon->keys.RegisterKeys();
    DaemonWindow const& state = *daemon;
    SetWindowLong(window, 0, reinterpret_cast<intptr_t>(daemon.release()));
    if (state.keys.Bindings().Count() > 0)
        AddTrayIcon(window, StateIcon(&state));
    else
        ShowWindow(window, kShow);
    return 0;
}

void OnPaint(WindowHandle window, DaemonWindow const* daemon)
{
    PaintStruct paint;
    DeviceContext dc = BeginPaint(window, paint);
    Rect client = GetClientRect(window);
    int32_t w = client.Width();
    int32_t h = client.Height();
    SetBkMode(dc, BackgroundMode::Transparent);

    uint32_t lastKeyCode = daemon ? daemon->lastKeyCode : 0;
    std::u16string probe = lastKeyCode == 0 ? u"drücken Sie eine Taste für deren Key-Code"
                                            : u"der Key-Code der letzten Taste ist " + platform::DecimalText(lastKeyCode);
    Rect probeRect { 0, 0, w - kColumn, h - kColumn };
    DrawText(dc, probe.c_str(), -1, probeRect, kCentredLine);

    SetTextColor(dc, kGrey);
    Rect contactRect { 0, h - kColumn, w - kColumn, h };
    DrawText(dc, kContactLine.data(), int32_t(kContactLine.size()), contactRect, kCentredLine);

    {
        SelectedPen pen(dc, 1, kGrey);
        MoveToEx(dc, w - kColumn, 0, nullptr);
        LineTo(dc, w - kColumn, h);
        for (int32_t d = 2; d <= 8; d += 2) {
            MoveToEx(dc, w - d, h - kColumn + d, nullptr);
            LineTo(dc, w - d, h - d);
            LineTo(dc, w - kColumn + d, h - d);
        }
    }

    bool active = IsActive(daemon);
    Rect letterRect = active ? Rect { w - kColumn, 0, w, kColumn } : Rect { w - kColumn, kColumn, w, 2 * kColumn };
    DrawText(dc, active ? u"D" : u"E", 1, letterRect, kCentredLine);
    EndPaint(window, paint);
}

void HideIntoTray(WindowHandle window, DaemonWindow const* daemon)
{
    ShowWindow(window, kShowHide);
    AddTrayIcon(window, StateIcon(daemon));
}

void OnLeftButtonDown(WindowHandle window, DaemonWindow* daemon, LParam lParam)
{
    Rect client = GetClientRect(window);
    int32_t w = client.Width();
    int32_t h = client.Height();
    int32_t x = LowWord(uintptr_t(lParam));
    int32_t y = HighWord(uintptr_t(lParam));
    if (x < w - kClickMargin || !daemon)
        return;
    Rect stateFields { w - kColumn, 0, w, 2 * kColumn };
    if (y >= h - kColumn && y <= h) {
        ShowWindow(window, kShowHide);
        AddTrayIcon(window, StateIcon(daemon));
    } else if (y < kColumn) {
        if (IsActive(daemon)) {
            daemon->keys.Deactivate();
            InvalidateRect(window, &stateFields, true);
        }
    } else if (y < 2 * kColumn) {
        if (!IsActive(daemon)) {
            daemon->keys.Activate();
            InvalidateRect(window, &stateFields, true);
        }
    }
}

// A file loaded (at the start, by a NewIni or again) is the one watched,
// where the user asked for it; the file that could not be read, too.
void OnStateMessage(WindowHandle window, DaemonWindow const* daemon, WParam state, LParam count)
{
    if (state == State::Active || state == State::Inactive) {
        if (!IsWindowVisible(window))
            ChangeTrayIcon(window, state == State::Active ? kActiveIcon : kInactiveIcon);
    } else if (state == State::Loaded) {
        SetWindowText(window, std::u16string(kDaemonTitle) + u" (" + platform::DecimalText(uint32_t(count)) + u" aktiv)");
        if (daemon) {
            std::u16string const file[] = { daemon->keys.Bindings().Path() };
            WatchFiles(window, FileChangedMessage, 0, file);
        }
    }
}

}

LResult DaemonWindowProcedure(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    DaemonWindow* daemon = DaemonOf(window);
    switch (message) {
    case Msg::Create:
        return OnCreate(window, lParam);
    case Msg::Destroy:
        RemoveTrayIcon(window);
        // Code waiting in a message box below us finds its bindings gone and returns.
        SetWindowLong(window, 0, 0);
        delete daemon;
        PostQuitMessage(0);
        return 0;
    case Msg::Paint:
        OnPaint(window, daemon);
        return 0;
    case Msg::Close:
        DestroyWindow(window);
        return 0;
    case Msg::KeyDown: {
        if (daemon)
            daemon->lastKeyCode = uint32_t(wParam);
        Rect client = GetClientRect(window);
        Rect probe { 0, 0, client.Width() - kColumn, client.Height() - kColumn };
        InvalidateRect(window, &probe, true);
        return 0;
    }
    case Msg::SystemCommand:
        // The window has no minimise box, but a desktop may minimise it all
        // the same: it goes into the tray, or the daemon could not be reached.
        if ((wParam & SystemCommand::Mask) == SystemCommand::Minimize && daemon) {
            HideIntoTray(window, daemon);
            return 0;
        }
        return DefWindowProc(window, message, wParam, lParam);
    case Msg::Timer:
        return daemon ? daemon->keys.OnPressTimer(wParam) : 0;
    case Msg::LeftButtonDown:
        OnLeftButtonDown(window, daemon, lParam);
        return 0;
    case Msg::HotKey:
        return daemon ? daemon->keys.OnKeyPressed(wParam, lParam) : 0;
    case TrayMessage:
        if (wParam == kTrayIconId && lParam == kTrayLeftButtonDown) {
            ShowWindow(window, kShow);
            SetForegroundWindow(window);
            RemoveTrayIcon(window);
        }
        return 0;
    case StateMessage:
        OnStateMessage(window, daemon, wParam, lParam);
        return 0;
    case FileChangedMessage:
        if (daemon)
            daemon->keys.ReloadFile();
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

}
