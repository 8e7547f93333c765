#pragma once

// A push button in the platform's own look: the raised frame, a face in a
// colour of the layout's choosing, and a caption that is a whole text object.
// Pressed, only the caption moves; the frame sinks in place.

#include "panel/buttons/ImageButton.h"
#include "panel/displays/Text.h"

namespace panel {

class WindowsButton : public ImageButton {
public:
    explicit WindowsButton(platform::WindowHandle window);

    // ColorNormal, ColorPushed; then those of ImageButton, silently; every
    // other line goes to the caption, which always reports what it rejects.
    static config::KeyTable<WindowsButton> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    void Draw(ScratchBitmap& surface, int32_t x, int32_t y) override;
    // The caption takes the button's size; the button does not grow by `offset`.
    void Prepare(platform::DeviceContext dc) override;
    // The frame and face always at the button's own place, whatever the state.
    void DrawImage(ScratchBitmap& surface, int32_t x, int32_t y, State state) override;

    Text const& Caption() const { return caption_; }
    platform::ColorRef FaceColor(State state) const { return faceColors_[state]; }

private:
    Text caption_;
    platform::ColorRef faceColors_[2];
};

}
