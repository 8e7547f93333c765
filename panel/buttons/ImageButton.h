#pragma once

// A button with a picture for each of its two states. The pushed picture is
// drawn `offset` pixels right and down so the button seems to sink in; how a
// picture is drawn is left to the subclass.

#include "panel/buttons/CommandButton.h"

#include <cstdint>

namespace panel {

class ImageButton : public CommandButton {
public:
    enum State : int32_t { Normal = 0, Pushed = 1 };

    // Offset; then those of CommandButton.
    static config::KeyTable<ImageButton> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    // The pushed picture at (x + offset, y + offset), the normal one at (x, y).
    void Draw(ScratchBitmap& surface, int32_t x, int32_t y) override;
    // Grows the button by `offset` both ways so the moved picture stays inside.
    void Prepare(platform::DeviceContext dc) override;

    // One state's picture with its top-left corner at (x, y) of the back buffer.
    virtual void DrawImage(ScratchBitmap& surface, int32_t x, int32_t y, State state) = 0;

    int32_t GetOffset() const { return offset_; }
    bool IsPressed() const { return pressed_; }

protected:
    explicit ImageButton(platform::WindowHandle window);

    int32_t offset_ = 1;
};

}
