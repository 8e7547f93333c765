#pragma once

// A button drawn from two bitmap files, one for each state. A state without a
// bitmap shows the words "no bitmap" in a frame.

#include "panel/buttons/ImageButton.h"

#include <cstdint>
#include <string_view>

namespace panel {

class BitmapButton : public ImageButton {
public:
    explicit BitmapButton(platform::WindowHandle window);
    ~BitmapButton() override;
    BitmapButton(BitmapButton const&) = delete;
    BitmapButton& operator=(BitmapButton const&) = delete;

    // BitmapNormal, BitmapPushed; then those of ImageButton.
    static config::KeyTable<BitmapButton> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    // Without Width or Height the button takes the larger bitmap's size, then grows by `offset`.
    void Prepare(platform::DeviceContext dc) override;
    // Cut to the button less `offset`, from the bitmap's top-left corner.
    void DrawImage(ScratchBitmap& surface, int32_t x, int32_t y, State state) override;

    // Takes ownership of `bitmap` (none: the state has no bitmap) and deletes the state's previous one.
    void SetBitmap(platform::BitmapHandle bitmap, State state);
    // A file name relative to the layout file's folder; none when it cannot be read.
    platform::BitmapHandle LoadBitmapFile(std::u16string_view value) const;

private:
    // A file that cannot be read is no error: the state shows "no bitmap".
    template<State state>
    static bool SetBitmapFile(BitmapButton& button, std::u16string_view value);

    platform::BitmapHandle bitmaps_[2];
    uint32_t bitmapWidths_[2] = {};
    uint32_t bitmapHeights_[2] = {};
};

}
