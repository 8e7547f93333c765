#include "platform/dialog/BoxLayout.h"

#include "platform/Backend.h"
#include "platform/Utf.h"
#include "platform/dialog/BoxIcons.h"

#include <algorithm>

namespace platform {

namespace {

constexpr Rect kFallbackScreen { 0, 0, 480, 272 };
// Two rings of raised edges and a line of the face around everything.
constexpr int32_t kFrame = 3;
constexpr int32_t kCaptionPadding = 3;
constexpr int32_t kMargin = 12;
constexpr int32_t kIconGap = 12;
constexpr int32_t kButtonHeight = 23;
constexpr int32_t kMinButtonWidth = 75;
constexpr int32_t kButtonPadding = 8;
constexpr int32_t kButtonGap = 6;
constexpr int32_t kMaxWidth = 400;
constexpr int32_t kNarrowestText = 16;
constexpr uint32_t kOneLine = TextFormat::SingleLine | TextFormat::NoPrefix;

std::vector<BoxResult> ButtonResults(uint32_t flags)
{
    switch (flags & Box::ButtonMask) {
    case Box::OkCancel: return { BoxResult::Ok, BoxResult::Cancel };
    case Box::AbortRetryIgnore: return { BoxResult::Abort, BoxResult::Retry, BoxResult::Ignore };
    case Box::YesNoCancel: return { BoxResult::Yes, BoxResult::No, BoxResult::Cancel };
    case Box::YesNo: return { BoxResult::Yes, BoxResult::No };
    case Box::RetryCancel: return { BoxResult::Retry, BoxResult::Cancel };
    default: return { BoxResult::Ok };
    }
}

std::u16string_view LabelOf(BoxResult result)
{
    switch (result) {
    case BoxResult::Cancel: return u"Abbrechen";
    case BoxResult::Abort: return u"Beenden";
    case BoxResult::Retry: return u"Wiederholen";
    case BoxResult::Ignore: return u"Ignorieren";
    case BoxResult::Yes: return u"Ja";
    case BoxResult::No: return u"Nein";
    default: return u"OK";
    }
}

// The extent of `text` as DrawText lays it out in `format`, lines wrapped at `width`.
Rect Measure(DeviceContext dc, std::u16string_view text, uint32_t format, int32_t width = 0)
{
    Rect extent { 0, 0, width, 0 };
    DrawText(dc, text.data(), CountOf(text), extent, format | TextFormat::CalculateRect);
    return extent;
}

int32_t LineHeight(DeviceContext dc)
{
    TextMetrics metrics;
    return GetTextMetrics(dc, metrics) ? metrics.height : 0;
}

bool IsBlankOrBreak(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// DrawText keeps a word wider than the line whole, so that it would run out
// of the box; here it is broken where the line is full.
std::u16string BreakLongWords(DeviceContext dc, std::u16string_view text, int32_t width)
{
    std::u16string broken;
    broken.reserve(text.size());
    int32_t word = 0;
    for (size_t i = 0; i < text.size();) {
        size_t start = i;
        NextCharacter(text, i);
        std::u16string_view character = text.substr(start, i - start);
        if (IsBlankOrBreak(character[0])) {
            word = 0;
            broken += character;
            continue;
        }
        Size size;
        int32_t advance = GetTextExtentPoint(dc, character.data(), CountOf(character), size) ? size.width : 0;
        if (word > 0 && word + advance > width) {
            broken += u"\r\n";
            word = 0;
        }
        word += advance;
        broken += character;
    }
    return broken;
}

}

LogFont BoxCaptionFont()
{
    LogFont font;
    font.weight = 700;
    return font;
}

BoxLayout LayOutBox(std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    Rect screen = CurrentBackend().Screen().Bounds();
    if (screen.Width() <= 0 || screen.Height() <= 0)
        screen = kFallbackScreen;
    DeviceContext dc = GetDC({});
    BoxLayout layout;

    std::vector<BoxResult> results = ButtonResults(flags);
    int32_t buttonWidth = kMinButtonWidth;
    for (BoxResult result : results)
        buttonWidth = std::max(buttonWidth, Measure(dc, LabelOf(result), kOneLine).Width() + 2 * kButtonPadding);
    int32_t const buttonCount = int32_t(results.size());
    int32_t const rowWidth = buttonCount * buttonWidth + (buttonCount - 1) * kButtonGap;

    int32_t const border = kFrame + kMargin;
    int32_t const iconSpace = HasBoxIcon(flags) ? kBoxIconSize + kIconGap : 0;
    int32_t const widest = std::max(std::min(screen.Width() * 2 / 3, kMaxWidth), rowWidth + 2 * border);
    int32_t const wrapWidth = std::max(widest - 2 * border - iconSpace, kNarrowestText);
    layout.lines = BreakLongWords(dc, text, wrapWidth);
    Rect const body = Measure(dc, layout.lines, kBoxTextFormat, wrapWidth);
    int32_t const bodyHeight = std::max({ body.Height(), iconSpace ? kBoxIconSize : 0, LineHeight(dc) });

    FontHandle bold = CreateFontIndirect(BoxCaptionFont());
    FontHandle previous = SelectObject(dc, bold);
    int32_t const titleWidth = Measure(dc, caption, kOneLine).Width() + 2 * kCaptionPadding;
    int32_t const captionHeight = LineHeight(dc) + 2 * kCaptionPadding;
    SelectObject(dc, previous);
    DeleteObject(bold);
    ReleaseDC({}, dc);

    // A caption too long for the widest box is cut rather than widening it.
    int32_t const width = 2 * kFrame
        + std::max({ iconSpace + body.Width() + 2 * kMargin, rowWidth + 2 * kMargin, std::min(titleWidth, widest - 2 * kFrame) });
    int32_t const bodyTop = kFrame + captionHeight + kMargin;
    int32_t const buttonTop = bodyTop + bodyHeight + kMargin;
    int32_t const height = buttonTop + kButtonHeight + kMargin + kFrame;

    // Centred; a box larger than the screen keeps its top-left corner on it.
    layout.window = Rect::FromSize(screen.left + std::max((screen.Width() - width) / 2, 0),
        screen.top + std::max((screen.Height() - height) / 2, 0), width, height);
    layout.caption = { kFrame, kFrame, width - kFrame, kFrame + captionHeight };
    layout.title = { layout.caption.left + kCaptionPadding, layout.caption.top, layout.caption.right - kCaptionPadding,
        layout.caption.bottom };
    if (iconSpace)
        layout.icon = Rect::FromSize(border, bodyTop, kBoxIconSize, kBoxIconSize);
    layout.text = Rect::FromSize(border + iconSpace, bodyTop + (bodyHeight - body.Height()) / 2, body.Width(), body.Height());
    int32_t left = (width - rowWidth) / 2;
    for (BoxResult result : results) {
        layout.buttons.push_back({ result, LabelOf(result), Rect::FromSize(left, buttonTop, buttonWidth, kButtonHeight) });
        left += buttonWidth + kButtonGap;
    }
    return layout;
}

std::optional<BoxResult> EscapeAnswer(uint32_t flags)
{
    switch (flags & Box::ButtonMask) {
    case Box::OkCancel:
    case Box::YesNoCancel:
    case Box::RetryCancel:
        return BoxResult::Cancel;
    case Box::YesNo:
        return BoxResult::No;
    case Box::AbortRetryIgnore:
        return std::nullopt;
    default:
        return BoxResult::Ok;
    }
}

BoxResult ClosingAnswer(uint32_t flags)
{
    return EscapeAnswer(flags).value_or(BoxResult::Ok);
}

}
