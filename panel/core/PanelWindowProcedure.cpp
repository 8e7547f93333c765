#include "panel/core/PanelWindowProcedure.h"

#include "panel/core/Animation.h"
#include "panel/core/LayoutReader.h"
#include "panel/core/PanelEntry.h"
#include "panel/core/PanelMessages.h"
#include "panel/core/PanelWindow.h"
#include "platform/MessageBox.h"
#include "platform/SolidDrawing.h"
#include "platform/System.h"
#include "platform/Windowing.h"

#include <string>

namespace panel {

using namespace platform;

namespace {

constexpr uint32_t kPanelBox = Box::Ok | Box::SetForeground;

void StartAnimation(WindowHandle window, PanelWindow& panel, uintptr_t timer)
{
    panel.animating = true;
    panel.animationStart = GetTickCount();
    SetTimer(window, timer, kAnimationStep);
}

// Paints the background colour, with the background picture over it when it loads.
void PrepareBackground(WindowHandle window, PanelWindow& panel)
{
    GlobalSettings& settings = *panel.settings;
    if (!settings.backgroundBitmap.empty()) {
        BitmapHandle picture = LoadBitmapFile(settings.backgroundBitmap);
        if (picture) {
            auto image = std::make_unique<ScratchBitmap>(panel.windowWidth, panel.windowHeight, false);
            FillSolid(image->Dc(), { 0, 0, panel.windowWidth, panel.windowHeight }, settings.backgroundColor);
            DeviceContext source = CreateCompatibleDC(image->Dc());
            BitmapHandle previous = SelectObject(source, picture);
            // -1 lines a screen-sized wallpaper up with where the window stands.
            Point at = settings.ScreenPosition(panel.windowWidth, panel.windowHeight);
            int32_t left = settings.bitmapOffsetX == -1 ? at.x : settings.bitmapOffsetX;
            int32_t top = settings.bitmapOffsetY == -1 ? at.y : settings.bitmapOffsetY;
            BitBlt(image->Dc(), 0, 0, panel.windowWidth, panel.windowHeight, source, left, top, kSourceCopy);
            SelectObject(source, previous);
            DeleteDC(source);
            DeleteObject(picture);
            if (image->Dc()) {
                panel.backgroundImage = std::move(image);
                return;
            }
        } else {
            std::u16string text = u"Das Hintergrundbild kann nicht gefunden werden oder es ist keine gültige Bitmapdatei:\n\""
                + settings.backgroundBitmap + u"\"";
            MessageBox({}, text, u"Fehler", kPanelBox | Box::IconError);
        }
    }
    panel.backgroundBrush = CreateSolidBrush(settings.backgroundColor);
    (void)window;
}

LResult OnCreate(WindowHandle window, CreateParameters const& create)
{
    auto panel = std::make_unique<PanelWindow>();
    panel->settings = std::make_unique<GlobalSettings>();
    if (!ReadLayoutFile(*panel->settings, static_cast<char16_t const*>(create.parameter), window))
        return -1;

    GlobalSettings& settings = *panel->settings;
    panel->windowWidth = settings.WindowWidth();
    panel->windowHeight = settings.PanelHeight();
    panel->backBuffer = std::make_unique<ScratchBitmap>(panel->windowWidth, panel->windowHeight, true);
    if (settings.topMost)
        SetWindowPos(window, { InsertAfter::Kind::TopMost, {} }, 0, 0, 0, 0, PosFlag::NoMove | PosFlag::NoSize);

    PrepareBackground(window, *panel);
    panel->RestoreBackground({ 0, 0, panel->windowWidth, panel->windowHeight });
    panel->DrawAllObjects(*panel->backBuffer);
    if (uint32_t period = settings.RefreshInterval())
        SetTimer(window, kRefreshTimer, period);

    PanelWindow& state = *panel;
    SetWindowLong(window, 0, reinterpret_cast<intptr_t>(panel.release()));
    if (settings.startUpAnimation == NoAnimation) {
        Point at = settings.ScreenPosition(state.windowWidth, state.windowHeight);
        SetWindowPos(window, {}, at.x, at.y, state.windowWidth, state.windowHeight, PosFlag::NoOwnerZOrder);
    } else {
        StartAnimation(window, state, kOpeningTimer);
    }
    return 0;
}

void OnPaint(WindowHandle window, PanelWindow* panel)
{
    PaintStruct paint;
    BeginPaint(window, paint);
    if (!panel || !panel->backBuffer) {
        FillRect(paint.dc, paint.paint, GetStockBrush(StockBrush::White));
    } else {
        if (panel->fullRedraw) {
            panel->fullRedraw = false;
            Rect const& r = paint.paint;
            BitBlt(paint.dc, r.left, r.top, r.Width(), r.Height(), panel->backBuffer->Dc(), r.left, r.top, kSourceCopy);
        }
        if (panel->refreshDue) {
            panel->refreshDue = false;
            panel->UpdateDueObjects(paint.dc);
        }
    }
    EndPaint(window, paint);
}

void RequestClose(WindowHandle window, PanelWindow* panel, int32_t exitCode)
{
    if (panel && panel->settings->shutDownAnimation != NoAnimation) {
        panel->exitCode = exitCode;
        StartAnimation(window, *panel, kClosingTimer);
        return;
    }
    PostQuitMessage(exitCode);
}

void ShowAbout()
{
    MessageBox({}, u" - Vessarine 1.6.1 - \n\nVessarine-Team\nvessarine@example.org", u"Über", kPanelBox | Box::IconInformation);
}

void SwitchLayout(WindowHandle window, PanelWindow& panel, char16_t const* path, int32_t animation)
{
    panel.settings->shutDownAnimation = animation;
    WindowHandle next = CreateLayoutWindow(path);
    if (next) {
        panel.settings->animationTime = uint32_t(SendMessage(next, StartAnimationMessage, 0, animation));
        ShowPanel(next);
        panel.quitWhenClosed = false;
    }
    StartAnimation(window, panel, kClosingTimer);
}

}

LResult PanelWindowProcedure(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    PanelWindow* panel = PanelOf(window);
    switch (message) {
    case Msg::Create:
        return OnCreate(window, *reinterpret_cast<CreateParameters const*>(lParam));
    case Msg::Destroy:
        if (panel) {
            if (panel->settings->RefreshInterval() != 0)
                KillTimer(window, kRefreshTimer);
            SetWindowLong(window, 0, 0);
            delete panel;
        }
        return 0;
    case Msg::Paint:
        OnPaint(window, panel);
        return 0;
    case Msg::EraseBackground:
        if (panel)
            panel->fullRedraw = true;
        return 0;
    case Msg::Close:
        RequestClose(window, panel, int32_t(uint32_t(wParam)));
        return 0;
    case Msg::Timer:
        if (!panel)
            return 0;
        if (wParam == kRefreshTimer) {
            panel->refreshDue = true;
            InvalidateRect(window, nullptr, false);
        } else if (wParam == kOpeningTimer || wParam == kClosingTimer) {
            AnimationStep(window, *panel, wParam == kOpeningTimer);
        }
        return 0;
    case Msg::LeftButtonDown:
    case Msg::LeftButtonUp: {
        if (!panel || panel->animating)
            return 0;
        // An object that the pen changes is copied straight into the window, outside a paint cycle.
        DeviceContext dc = GetDC(window);
        if (message == Msg::LeftButtonDown)
            panel->PressAt(LowWord(uintptr_t(lParam)), HighWord(uintptr_t(lParam)), dc);
        else
            panel->ReleaseAt(LowWord(uintptr_t(lParam)), HighWord(uintptr_t(lParam)), dc);
        ReleaseDC(window, dc);
        if (message == Msg::LeftButtonDown)
            SetCapture(window);
        else
            ReleaseCapture();
        return 0;
    }
    case Msg::LeftButtonDoubleClick:
        if (!panel || panel->animating || !panel->settings->quitOnDoubleClick)
            return 0;
        if (panel->settings->showMessage)
            ShowAbout();
        RequestClose(window, PanelOf(window), int32_t(uint32_t(wParam)));
        return 0;
    case SwitchLayoutMessage:
        if (panel)
            SwitchLayout(window, *panel, reinterpret_cast<char16_t const*>(wParam), int32_t(lParam));
        return 0;
    case StartAnimationMessage:
        if (!panel)
            return 0;
        panel->settings->startUpAnimation = int32_t(lParam);
        if (!panel->animating)
            StartAnimation(window, *panel, kOpeningTimer);
        return LResult(panel->settings->animationTime);
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

}
