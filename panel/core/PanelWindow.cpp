#include "panel/core/PanelWindow.h"

#include "platform/Windowing.h"

namespace panel {

using platform::Rect;

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

void PanelWindow::RedrawObject(DesktopObject& object)
{
    Rect rect = Rect::FromSize(object.GetX(), object.GetY(), object.GetWidth(), object.GetHeight());
    Painter& painter = *settings->painter;
    ScratchBitmap& surface = painter.Begin(rect);
    object.Draw(surface, object.GetX(), object.GetY());
    painter.End(rect);
}

void PanelWindow::DrawAllObjects(ScratchBitmap& surface)
{
    platform::SetBkMode(surface.Dc(), platform::BackgroundMode::Transparent);
    for (auto& object : settings->Objects())
        object->Draw(surface, object->GetX(), object->GetY());
}

void PanelWindow::UpdateDueObjects()
{
    for (auto& object : settings->Objects()) {
        if (object->IsDue())
            RedrawObject(*object);
    }
}

// The first object in file order under the point gets the press.
void PanelWindow::PressAt(int32_t x, int32_t y)
{
    for (auto& object : settings->Objects()) {
        Rect rect = Rect::FromSize(object->GetX(), object->GetY(), object->GetWidth(), object->GetHeight());
        if (!rect.Contains({ x, y }))
            continue;
        settings->pressedObject = object.get();
        if (object->OnPress(x - object->GetX(), y - object->GetY()))
            RedrawObject(*object);
        return;
    }
}

void PanelWindow::ReleaseAt(int32_t x, int32_t y)
{
    DesktopObject* object = settings->pressedObject;
    if (!object)
        return;
    if (object->OnRelease(x - object->GetX(), y - object->GetY()))
        RedrawObject(*object);
    if (settings->pressedObject == object)
        settings->pressedObject = nullptr;
}

}
