#include "panel/core/PanelWindowProcedure.h"

#include "panel/core/Animation.h"
#include "panel/core/LayoutReader.h"
#include "panel/core/LayoutSwitch.h"
#include "panel/core/PanelEntry.h"
#include "panel/core/PanelMessages.h"
#include "panel/core/PanelWindow.h"
#include "platform/FileWatch.h"
#include "platform/MessageBox.h"
#include "platform/SourcePlace.h"
#include "platform/SolidDrawing.h"
#include "platform/System.h"
#include "platform/Windowing.h"

#include <string>

namespace panel {

using namespace platform;

namespace {

constexpr uint32_t kPanelBox = Box::Ok | Box::SetForeground;

// Paints the background colour, with the background picture over it when it loads.
void PrepareBackground(PanelWindow& panel)
{
    GlobalSettings& settings = *panel.settings;
    if (!settings.backgroundBitmap.empty()) {
        // Its box is about the line that names it.
        ReadingPlace const naming(settings.path, settings.backgroundBitmapLine);
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
}

// -1 refuses the creation when the layout file cannot be read. The files
// the window is made from are watched where the user asked for it.
LResult OnCreate(WindowHandle window, CreateParameters const& create)
{
    auto const& creation = *static_cast<PanelCreation const*>(create.parameter);
    FileReadLog filesRead;
    auto settings = std::make_unique<GlobalSettings>();
    if (!ReadLayoutFile(*settings, creation.layoutPath, window))
        return -1;

    auto panel = std::make_unique<PanelWindow>(window, creation.program, std::move(settings));
    if (panel->settings->topMost)
        SetWindowPos(window, { InsertAfter::Kind::TopMost, {} }, 0, 0, 0, 0, PosFlag::NoMove | PosFlag::NoSize);
    PrepareBackground(*panel);
    WatchFiles(window, FilesChangedMessage, kLayoutFilesWatch, filesRead.Paths());
    panel->RestoreBackground({ 0, 0, panel->windowWidth, panel->windowHeight });
    panel->DrawAllObjects(*panel->backBuffer);
    if (uint32_t period = panel->settings->RefreshInterval())
        SetTimer(window, kRefreshTimer, period);

    PanelWindow& state = *panel;
    SetWindowLong(window, 0, reinterpret_cast<intptr_t>(panel.release()));
    if (state.openingAnimation == NoAnimation) {
        Point at = state.settings->ScreenPosition(state.windowWidth, state.windowHeight);
        SetWindowPos(window, {}, at.x, at.y, state.windowWidth, state.windowHeight, PosFlag::NoOwnerZOrder);
    } else {
        StartAnimation(state, true);
    }
    return 0;
}

void OnDestroy(WindowHandle window, PanelWindow* panel)
{
    if (panel->settings->RefreshInterval() != 0)
        KillTimer(window, kRefreshTimer);
    SetWindowLong(window, 0, 0);
    delete panel;
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

// A refresh tick only asks for a paint: the due objects are redrawn inside it.
void OnTimer(PanelWindow& panel, uintptr_t timer)
{
    if (timer == kRefreshTimer) {
        panel.refreshDue = true;
        InvalidateRect(panel.window, nullptr, false);
    } else if (timer == kOpeningTimer || timer == kClosingTimer) {
        AnimationStep(panel, timer == kOpeningTimer);
    }
}

// An object that the pen changes is copied straight into the window, outside a paint cycle.
void OnPen(PanelWindow& panel, bool down, LParam point)
{
    int32_t x = LowWord(uintptr_t(point));
    int32_t y = HighWord(uintptr_t(point));
    DeviceContext dc = GetDC(panel.window);
    if (down)
        panel.PressAt(x, y, dc);
    else
        panel.ReleaseAt(x, y, dc);
    ReleaseDC(panel.window, dc);
    if (down)
        SetCapture(panel.window);
    else
        ReleaseCapture();
}

void RequestClose(PanelWindow* panel, int32_t exitCode)
{
    if (panel && panel->closingAnimation != NoAnimation) {
        panel->exitCode = exitCode;
        StartAnimation(*panel, false);
        return;
    }
    PostQuitMessage(exitCode);
}

void ShowAbout()
{
    MessageBox({}, u" - Vessarine 1.6.1 - \n\nVessarine-Team\nvessarine@example.org", u"Über", kPanelBox | Box::IconInformation);
}

void OnDoubleClick(WindowHandle window, PanelWindow& panel, int32_t exitCode)
{
    if (!panel.settings->quitOnDoubleClick)
        return;
    if (panel.settings->showMessage)
        ShowAbout();
    // Asked again: the window may have gone while the box was open.
    RequestClose(PanelOf(window), exitCode);
}

LResult OnStartAnimation(PanelWindow& panel, int32_t animation)
{
    panel.openingAnimation = animation;
    if (!panel.animating)
        StartAnimation(panel, true);
    return LResult(panel.animationTime);
}

}

// Until creation has ended, and after it failed, there is no panel: its
// messages are then taken and ignored.
LResult PanelWindowProcedure(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    PanelWindow* panel = PanelOf(window);
    bool const penFree = panel && !panel->animating;
    switch (message) {
    case Msg::Create:
        return OnCreate(window, *reinterpret_cast<CreateParameters const*>(lParam));
    case Msg::Destroy:
        if (panel)
            OnDestroy(window, panel);
        return 0;
    case Msg::Paint:
        OnPaint(window, panel);
        return 0;
    case Msg::EraseBackground:
        if (panel)
            panel->fullRedraw = true;
        return 0;
    case Msg::Close:
        RequestClose(panel, int32_t(uint32_t(wParam)));
        return 0;
    case Msg::Timer:
        if (panel)
            OnTimer(*panel, wParam);
        return 0;
    case Msg::LeftButtonDown:
    case Msg::LeftButtonUp:
        if (penFree)
            OnPen(*panel, message == Msg::LeftButtonDown, lParam);
        return 0;
    case Msg::LeftButtonDoubleClick:
        if (penFree)
            OnDoubleClick(window, *panel, int32_t(uint32_t(wParam)));
        return 0;
    case SwitchLayoutMessage:
        if (panel)
            SwitchLayout(*panel, reinterpret_cast<char16_t const*>(wParam), int32_t(lParam));
        return 0;
    case StartAnimationMessage:
        return panel ? OnStartAnimation(*panel, int32_t(lParam)) : 0;
    case FilesChangedMessage:
        if (panel && wParam == kSettingsFileWatch)
            panel->program.ReloadSettings();
        else if (wParam == kLayoutFilesWatch)
            ReloadLayout(window);
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

}
