#include "panel/displays/Text.h"

#include "config/KeySetters.h"
#include "config/Strings.h"
#include "config/Values.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/MessageBox.h"
#include "platform/SourcePlace.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

namespace panel {

using namespace platform;

static constexpr std::u16string_view kClassName = u"Text";
static constexpr std::u16string_view kDefaultText = u"Text";
static constexpr uint32_t kAlignmentBits = TextFormat::Center | TextFormat::Right;

Text::Text()
    : text_(std::make_unique<char16_t[]>(kDefaultText.size() + 1))
    , textLength_(uint32_t(kDefaultText.size()))
{
    std::copy(kDefaultText.begin(), kDefaultText.end(), text_.get());
}

Text::~Text()
{
    if (font_)
        DeleteObject(font_);
}

// Font, Size and Weight only describe the font; CreateFont makes it.
template<bool (*Apply)(Text&, std::u16string_view)>
bool Text::FontKey(Text& text, std::u16string_view value)
{
    if (text.fontKeyLine_ == 0)
        text.fontKeyLine_ = platform::CurrentSourcePlace() ? platform::CurrentSourcePlace()->line : 0;
    return Apply(text, value);
}

void Text::EndSection()
{
    if (fontKeyLine_ != 0)
        platform::Warn(u"Font, Size or Weight without a CreateFont line after it in this section: the font is never made", fontKeyLine_);
    fontKeyLine_ = 0;
}

config::KeyTable<Text> const& Text::Keys()
{
    // Prefixes of the line: TextColor is the key Text.
    static constexpr config::Key<Text> kKeys[] = {
        { u"Color", config::SetColor<&Text::textColor_>, config::kMinimumColorValue },
        { u"FrameColor", [](Text& text, std::u16string_view value) {
             text.frameColor_ = config::ReadColor(value);
             text.framed_ = true;
             return true;
         }, config::kMinimumColorValue },
        { u"Text", [](Text& text, std::u16string_view value) {
             text.SetText(value.data(), value.size());
             return true;
         } },
        { u"Font", FontKey<config::SetText<&Text::fontName_>> },
        { u"Size", FontKey<config::SetInteger<&Text::fontHeight_>> },
        { u"Weight", FontKey<config::SetInteger<&Text::fontWeight_>> },
        { u"Align", [](Text& text, std::u16string_view value) {
             text.SetAlignment(value);
             return true;
         } },
        { u"CreateFont", [](Text& text, std::u16string_view) {
             text.CreateFont();
             return true;
         }, 0 },
    };
    static config::KeyTable<Text> const kTable { .caption = kClassName, .keys = kKeys, .base = DesktopObject::Keys() };
    return kTable;
}

bool Text::ReadValue(std::u16string_view line, bool report)
{
    return Keys().Read(*this, line, { config::kPanelDialect, report });
}

void Text::SetAlignment(std::u16string_view value)
{
    drawFlags_ &= ~kAlignmentBits;
    if (value.starts_with(u"Right")) {
        drawFlags_ |= TextFormat::Right;
        return;
    }
    if (value.starts_with(u"Left"))
        return;
    drawFlags_ |= TextFormat::Center;
    if (!value.starts_with(u"Center"))
        Warn(u"the alignment \"" + std::u16string(value) + u"\" is not Left, Center or Right; the text is centred");
}

void Text::CreateFont()
{
    fontKeyLine_ = 0;
    if (font_)
        DeleteObject(font_);
    LogFont logFont;
    logFont.height = fontHeight_;
    logFont.weight = fontWeight_;
    logFont.charSet = 0;
    // The record holds 31 units of the face name and its terminator.
    config::CopyString(fontName_.c_str(), logFont.faceName, std::size(logFont.faceName));
    // A font the platform cannot make leaves the panel's current font in use.
    font_ = CreateFontIndirect(logFont);
}

void Text::SetText(char16_t const* text, size_t length)
{
    bool const longer = length > textLength_;
    if (longer) {
        // A new buffer first: `text` may point into the old one.
        auto buffer = std::make_unique<char16_t[]>(length + 1);
        std::copy(text, text + length, buffer.get());
        text_ = std::move(buffer);
    } else {
        std::copy(text, text + length, text_.get());
        text_[length] = u'\0';
    }
    textLength_ = uint32_t(length);

    // The platform's text drawing breaks lines at CR LF.
    for (uint32_t i = 0; i + 1 < textLength_; ++i) {
        if (text_[i] == u'\\' && text_[i + 1] == u'n') {
            text_[i] = u'\r';
            text_[i + 1] = u'\n';
        }
    }

    // While the layout is still read the size rule is undecided: measuring now
    // would decide it before a later Width or Height line could count.
    if (longer && sizeState_ != SizeState::Undecided) {
        DeviceContext screen = GetDC({});
        Prepare(screen); // a clock measures as a clock
        ReleaseDC({}, screen);
    }
}

void Text::Prepare(DeviceContext dc)
{
    if (sizeState_ == SizeState::Undecided)
        sizeState_ = width_ != 0 && height_ != 0 ? SizeState::Given : SizeState::FollowsText;
    if (sizeState_ == SizeState::Given)
        return;

    FontHandle previousFont;
    if (font_)
        previousFont = SelectObject(dc, font_);
    Rect extent;
    DrawText(dc, text_.get(), int32_t(textLength_), extent, drawFlags_ | TextFormat::CalculateRect);
    if (font_)
        SelectObject(dc, previousFont);
    width_ = extent.right;
    height_ = extent.bottom;
}

// Positions come from the layout file and can be anything: the outline's offsets saturate.
static Rect Shifted(Rect const& rect, int32_t dx, int32_t dy)
{
    return { Rect::Saturate(int64_t(rect.left) + dx), Rect::Saturate(int64_t(rect.top) + dy),
        Rect::Saturate(int64_t(rect.right) + dx), Rect::Saturate(int64_t(rect.bottom) + dy) };
}

void Text::Draw(ScratchBitmap& surface, int32_t x, int32_t y)
{
    DeviceContext dc = surface.Dc();
    FontHandle previousFont;
    if (font_)
        previousFont = SelectObject(dc, font_);
    Rect const area = Rect::FromSize(x, y, width_, height_);
    auto drawAt = [&](int32_t dx, int32_t dy) {
        Rect shifted = Shifted(area, dx, dy);
        DrawText(dc, text_.get(), int32_t(textLength_), shifted, drawFlags_);
    };
    ColorRef const previousColor = SetTextColor(dc, textColor_);
    if (framed_) {
        SetTextColor(dc, frameColor_);
        // Around the text, which sits one pixel in from the corner.
        static constexpr Point kOutline[] = { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 2, 1 }, { 2, 2 }, { 1, 2 }, { 0, 2 }, { 0, 1 } };
        for (Point offset : kOutline)
            drawAt(offset.x, offset.y);
        SetTextColor(dc, textColor_);
        drawAt(1, 1);
    } else {
        drawAt(0, 0);
    }
    SetTextColor(dc, previousColor);
    if (font_)
        SelectObject(dc, previousFont);
}

}
