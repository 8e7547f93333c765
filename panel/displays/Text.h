#pragma once

// A block of text in one colour, optionally outlined in a second, in a font of
// its own or in the panel's current font. The clock and the date are texts
// that replace their words before each measuring and drawing; the flat button
// holds one as its caption.

#include "panel/core/DesktopObject.h"

#include <memory>
#include <string>
#include <string_view>

namespace panel {

class Text : public DesktopObject {
public:
    Text();
    ~Text() override;
    Text(Text const&) = delete;
    Text& operator=(Text const&) = delete;

    // Color, FrameColor, Text, Font, Size, Weight, Align, CreateFont; then those of DesktopObject.
    static config::KeyTable<Text> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    void EndSection() override;
    // The outline, when there is one, reaches two pixels beyond the measured size.
    void Draw(ScratchBitmap& surface, int32_t x, int32_t y) override;
    // Sizes the object from its text unless the layout gave both width and height.
    void Prepare(platform::DeviceContext dc) override;

    // A text longer than the current one measures the object again, a shorter
    // one keeps its size. Each "\n" pair becomes a line break.
    void SetText(char16_t const* text, size_t length);

protected:
    enum class SizeState : int32_t { Undecided = 0, FollowsText = 1, Given = 2 };

    platform::ColorRef textColor_ = 0;
    platform::ColorRef frameColor_ = 0;
    // Holds at least textLength_ units and a terminator.
    std::unique_ptr<char16_t[]> text_;
    // Empty: the platform's default face.
    std::u16string fontName_;
    uint32_t drawFlags_ = platform::TextFormat::Center | platform::TextFormat::NoClip;
    int32_t fontWeight_ = 0;
    int32_t fontHeight_ = 0;
    uint32_t textLength_ = 0;
    bool framed_ = false;
    platform::FontHandle font_;
    SizeState sizeState_ = SizeState::Undecided;

private:
    template<bool (*Apply)(Text&, std::u16string_view)>
    static bool FontKey(Text& text, std::u16string_view value);
    // The first Font, Size or Weight line since the last CreateFont; 0 for none.
    uint32_t fontKeyLine_ = 0;
    void SetAlignment(std::u16string_view value);
    void CreateFont();
};

}
