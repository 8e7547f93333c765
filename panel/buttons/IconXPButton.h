#pragma once

// A button drawn from 32-bit icon files with alpha, one icon per state, each
// picked at its wanted size and recoloured once, when its line is read.

#include "panel/buttons/IconImage.h"
#include "panel/buttons/ImageButton.h"

#include <cstdint>
#include <memory>

namespace panel {

class IconXPButton : public ImageButton {
public:
    explicit IconXPButton(platform::WindowHandle window);

    // Icon, size and colour keys; then those of ImageButton. Every line that
    // is not taken is reported under this class's name alone.
    static config::KeyTable<IconXPButton> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    // Square, as large as the larger icon, whatever Width and Height said.
    void Prepare(platform::DeviceContext dc) override;
    // The smaller icon is centred on the larger one.
    void DrawImage(ScratchBitmap& surface, int32_t x, int32_t y, State state) override;

    IconImage const* Icon(State state) const { return icons_[state].get(); }
    // The wanted size until an icon is loaded, then the icon's width.
    int32_t IconSize(State state) const { return iconSizes_[state]; }

private:
    // Null when the file gives no image of at most `size` pixels.
    std::unique_ptr<IconImage> LoadButtonIcon(std::u16string_view value, int32_t size) const;
    void SetIcon(std::unique_ptr<IconImage> icon, State state);

    std::unique_ptr<IconImage> icons_[2];
    int32_t iconSizes_[2] = {};
    // Red, green, blue, alpha.
    int32_t scale_[4] = { 100, 100, 100, 100 };
    int32_t add_[4] = {};
    bool gray_ = false;
};

}
