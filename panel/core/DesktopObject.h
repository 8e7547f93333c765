#pragma once

// The panel core's handle on every visible object: its place on the panel,
// its own refresh period, and what it does when drawn, prepared, pressed and
// released. The panel knows objects only through this base.

#include "config/KeyTable.h"
#include "panel/core/IniObject.h"
#include "platform/Drawing.h"

#include <cstdint>

namespace panel {

class ScratchBitmap;

class DesktopObject : public IniObject {
public:
    DesktopObject();

    // x, X, y, Y (first letter only), Width and Height; an unknown key ends here.
    static config::KeyTable<DesktopObject> const& Keys();
    // Interval, then Keys(): the chain of the objects that refresh on their own.
    static config::KeyTable<DesktopObject> const& RefreshedKeys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    // Draws with the top-left corner at (x, y) into the panel's back buffer.
    virtual void Draw(ScratchBitmap& surface, int32_t x, int32_t y) = 0;
    // Once after the layout file is read: measure and size yourself.
    virtual void Prepare(platform::DeviceContext dc);
    // Positions relative to the object's corner; true asks for a redraw now.
    virtual bool OnPress(int32_t x, int32_t y);
    virtual bool OnRelease(int32_t x, int32_t y);
    // True once per elapsed interval, measured from when it was last found due.
    bool IsDue();

    int32_t GetX() const { return x_; }
    int32_t GetY() const { return y_; }
    int32_t GetWidth() const { return width_; }
    int32_t GetHeight() const { return height_; }
    uint32_t GetInterval() const { return interval_; }
    // The line of the layout file where the object's section begins.
    uint32_t SectionLine() const { return sectionLine_; }
    void SetSectionLine(uint32_t line) { sectionLine_ = line; }
    DesktopObject& SetX(int32_t x) { x_ = x; return *this; }
    DesktopObject& SetY(int32_t y) { y_ = y; return *this; }
    DesktopObject& SetWidth(int32_t width) { width_ = width; return *this; }
    DesktopObject& SetHeight(int32_t height) { height_ = height; return *this; }
    DesktopObject& SetInterval(uint32_t interval) { interval_ = interval; return *this; }

protected:
    int32_t x_ = 0;
    int32_t y_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    uint32_t interval_ = 0;
    uint32_t lastUpdate_ = 0;
    uint32_t sectionLine_ = 0;
};

}
