#include "daemon/DaemonWindow.h"

#include "daemon/BindingSet.h"
#include "daemon/DaemonMessages.h"
#include "daemon/TrayIcon.h"
#include "platform/Drawing.h"
#include "platform/Shell.h"
#include "platform/SolidDrawing.h"
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

// One daemon window per process; only the loop's thread touches these.
std::unique_ptr<BindingSet> g_set;
uint32_t g_lastKeyCode = 0;

std::u16string Decimal(uint32_t value)
{
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

bool IsActive()
{
    return g_set && !g_set->Disabled();
}

int32_t StateIcon()
{
    return g_set && g_set->Disabled() ? kInactiveIcon : kActiveIcon;
}

LResult OnCreate(WindowHandle window, LParam lParam)
{
    auto const* create = reinterpret_cast<CreateParameters const*>(lParam);
    auto const* commandLine = static_cast<char16_t const*>(create->parameter);
    g_set = CreateBindingSet(window, create->instance, StateMessage, commandLine ? commandLine : u"");
    if (!g_set)
        return -1;
    if (g_set->Count() > 0)
        AddTrayIcon(window, StateIcon());
    else
        ShowWindow(window, kShow);
    return 0;
}

void OnPaint(WindowHandle window)
{
    PaintStruct paint;
    DeviceContext dc = BeginPaint(window, paint);
    Rect client = GetClientRect(window);
    int32_t w = client.Width();
    int32_t h = client.Height();
    SetBkMode(dc, BackgroundMode::Transparent);

    std::u16string probe = g_lastKeyCode == 0 ? u"drücken Sie eine Taste für deren Key-Code"
                                              : u"der Key-Code der letzten Taste ist " + Decimal(g_lastKeyCode);
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

    Rect letterRect = IsActive() ? Rect { w - kColumn, 0, w, kColumn } : Rect { w - kColumn, kColumn, w, 2 * kColumn };
    DrawText(dc, IsActive() ? u"D" : u"E", 1, letterRect, kCentredLine);
    EndPaint(window, paint);
}

void OnLeftButtonDown(WindowHandle window, LParam lParam)
{
    Rect client = GetClientRect(window);
    int32_t w = client.Width();
    int32_t h = client.Height();
    int32_t x = LowWord(uintptr_t(lParam));
    int32_t y = HighWord(uintptr_t(lParam));
    if (x < w - kClickMargin || !g_set)
        return;
    Rect stateFields { w - kColumn, 0, w, 2 * kColumn };
    if (y >= h - kColumn && y <= h) {
        ShowWindow(window, kShowHide);
        AddTrayIcon(window, StateIcon());
    } else if (y < kColumn) {
        if (IsActive()) {
            g_set->Deactivate();
            InvalidateRect(window, &stateFields, true);
        }
    } else if (y < 2 * kColumn) {
        if (!IsActive()) {
            g_set->Activate();
            InvalidateRect(window, &stateFields, true);
        }
    }
}

void OnStateMessage(WindowHandle window, WParam state, LParam count)
{
    if (state == State::Active || state == State::Inactive) {
        if (!IsWindowVisible(window))
            ChangeTrayIcon(window, state == State::Active ? kActiveIcon : kInactiveIcon);
    } else if (state == State::Loaded) {
        SetWindowText(window, std::u16string(kDaemonTitle) + u" (" + Decimal(uint32_t(count)) + u" aktiv)");
    }
}

}

void ResetDaemonWindowState()
{
    g_lastKeyCode = 0;
}

LResult DaemonWindowProcedure(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    switch (message) {
    case Msg::Create:
        return OnCreate(window, lParam);
    case Msg::Destroy:
        RemoveTrayIcon(window);
        DestroyBindingSet(g_set);
        PostQuitMessage(0);
        return 0;
    case Msg::Paint:
        OnPaint(window);
        return 0;
    case Msg::Close:
        DestroyWindow(window);
        return 0;
    case Msg::KeyDown: {
        g_lastKeyCode = uint32_t(wParam);
        Rect client = GetClientRect(window);
        Rect probe { 0, 0, client.Width() - kColumn, client.Height() - kColumn };
        InvalidateRect(window, &probe, true);
        return 0;
    }
    case Msg::Timer:
        return g_set ? g_set->OnPressTimer(wParam) : 0;
    case Msg::LeftButtonDown:
        OnLeftButtonDown(window, lParam);
        return 0;
    case Msg::HotKey:
        return g_set ? g_set->OnKeyPressed(wParam, lParam) : 0;
    case TrayMessage:
        if (wParam == kTrayIconId && lParam == kTrayLeftButtonDown) {
            ShowWindow(window, kShow);
            SetForegroundWindow(window);
            RemoveTrayIcon(window);
        }
        return 0;
    case StateMessage:
        OnStateMessage(window, wParam, lParam);
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

}
