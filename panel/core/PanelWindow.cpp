#include "panel/core/PanelWindow.h"

#include "platform/Windowing.h"

namespace panel {

using platform::Rect;

PanelWindow::PanelWindow(platform::WindowHandle panelWindow, PanelProgram& panelProgram, std::unique_ptr<GlobalSettings> layout)
    : window(panelWindow)
    , program(panelProgram)
    , settings(std::move(layout))
    , windowWidth(settings->WindowWidth())
    , windowHeight(settings->PanelHeight())
    , backBuffer(std::make_unique<ScratchBitmap>(windowWidth, windowHeight, true))
    , openingAnimation(settings->startUpAnimation)
    , closingAnimation(settings->shutDownAnimation)
    , animationTime(settings->animationTime)
{
}

PanelWindow::~PanelWindow()
{
    // The objects go first: they may still hold fonts selected into the back buffer.
    settings.reset();
    if (backgroundBrush)
        platform::DeleteObject(backgroundBrush);
}

PanelWindow* PanelOf(platform::WindowHandle window)
{
    return reinterpret_cast<PanelWindow*>(platform::GetWindowLong(window, 0));
}

void PanelWindow::RestoreBackground(Rect const& rect)
{
    if (backgroundImage) {
        platform::BitBlt(backBuffer->Dc(), rect.left, rect.top, rect.Width(), rect.Height(), backgroundImage->Dc(), rect.left,
            rect.top, platform::kSourceCopy);
        return;
    }
    platform::BrushHandle brush = backgroundBrush ? backgroundBrush : platform::GetStockBrush(platform::StockBrush::White);
    platform::FillRect(backBuffer->Dc(), rect, brush);
}

void PanelWindow::RedrawObject(DesktopObject& object, platform::DeviceContext dc)
{
    Rect rect = Rect::FromSize(object.GetX(), object.GetY(), object.GetWidth(), object.GetHeight());
    RestoreBackground(rect);
    object.Draw(*backBuffer, object.GetX(), object.GetY());
    platform::BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), backBuffer->Dc(), rect.left, rect.top,
        platform::kSourceCopy);
}

void PanelWindow::DrawAllObjects(ScratchBitmap& surface)
{
    platform::SetBkMode(surface.Dc(), platform::BackgroundMode::Transparent);
    for (auto& object : settings->Objects())
        object->Draw(surface, object->GetX(), object->GetY());
}

void PanelWindow::UpdateDueObjects(platform::DeviceContext dc)
{
    for (auto& object : settings->Objects()) {
        if (object->IsDue())
            RedrawObject(*object, dc);
    }
}

// The first object in file order under the point gets the press.
void PanelWindow::PressAt(int32_t x, int32_t y, platform::DeviceContext dc)
{
    for (auto& object : settings->Objects()) {
        Rect rect = Rect::FromSize(object->GetX(), object->GetY(), object->GetWidth(), object->GetHeight());
        if (!rect.Contains({ x, y }))
            continue;
        pressedObject = object.get();
        if (object->OnPress(x - object->GetX(), y - object->GetY()))
            RedrawObject(*object, dc);
        return;
    }
}

void PanelWindow::ReleaseAt(int32_t x, int32_t y, platform::DeviceContext dc)
{
    DesktopObject* object = pressedObject;
    if (!object)
        return;
    if (object->OnRelease(x - object->GetX(), y - object->GetY()))
        RedrawObject(*object, dc);
    if (pressedObject == object)
        pressedObject = nullptr;
}

}
