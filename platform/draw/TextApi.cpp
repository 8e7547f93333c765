// The text calls of Drawing.h: measuring and drawing with the device
// context's font, colours and background mode.

#include "platform/Drawing.h"

#include "platform/Backend.h"
#include "platform/Utf.h"
#include "platform/draw/Graphics.h"
#include "platform/draw/TextLayout.h"

#include <algorithm>
#include <string>
#include <utility>

namespace platform {

namespace {

Graphics& Tables()
{
    return CurrentBackend().Graphics();
}

// The text a count describes: -1 runs to the NUL, other negative counts describe nothing.
std::optional<std::u16string_view> TextOf(char16_t const* text, int32_t count)
{
    if (!text || count < -1)
        return std::nullopt;
    if (count == -1)
        return std::u16string_view(text);
    return std::u16string_view(text, size_t(count));
}

bool MeetsRows(Canvas const& canvas, int64_t top, int64_t bottom)
{
    return top + canvas.Origin().y < canvas.Clip().bottom && bottom + canvas.Origin().y > canvas.Clip().top;
}

bool MeetsColumns(Canvas const& canvas, int64_t left, int64_t right)
{
    return left + canvas.Origin().x < canvas.Clip().right && right + canvas.Origin().x > canvas.Clip().left;
}

void DrawTextLine(Canvas& canvas, FontFace& face, TextLine const& line, int64_t left, int64_t top, uint32_t pixel)
{
    FontMetrics const& metrics = face.Metrics();
    int64_t baseline = top + metrics.ascent;
    int64_t pen = left;
    size_t nextMark = 0;
    for (size_t k = 0; k < line.characters.size(); ++k) {
        GlyphImage const& glyph = face.Glyph(line.characters[k]);
        int64_t glyphLeft = pen + glyph.left;
        int64_t glyphTop = baseline - glyph.top;
        if (MeetsColumns(canvas, glyphLeft, glyphLeft + glyph.width) && MeetsRows(canvas, glyphTop, glyphTop + glyph.height))
            canvas.BlendCoverage({ int32_t(glyphLeft), int32_t(glyphTop) }, glyph.width, glyph.height, glyph.coverage.data(), pixel);
        if (nextMark < line.underlined.size() && line.underlined[nextMark] == k) {
            ++nextMark;
            int64_t underline = baseline + metrics.underlineOffset;
            if (MeetsColumns(canvas, pen, pen + glyph.advance) && MeetsRows(canvas, underline, underline + 1)) {
                canvas.FillRect({ int32_t(pen), int32_t(underline), Rect::Saturate(pen + glyph.advance), int32_t(underline + 1) },
                    pixel);
            }
        }
        pen += glyph.advance;
    }
}

}

ColorRef SetTextColor(DeviceContext dc, ColorRef color)
{
    DeviceContextState* state = Tables().Find(dc);
    if (!state)
        return kInvalidColor;
    return std::exchange(state->textColor, color);
}

ColorRef SetBkColor(DeviceContext dc, ColorRef color)
{
    DeviceContextState* state = Tables().Find(dc);
    if (!state)
        return kInvalidColor;
    return std::exchange(state->backgroundColor, color);
}

BackgroundMode SetBkMode(DeviceContext dc, BackgroundMode mode)
{
    DeviceContextState* state = Tables().Find(dc);
    if (!state || (mode != BackgroundMode::Transparent && mode != BackgroundMode::Opaque))
        return BackgroundMode {};
    return std::exchange(state->backgroundMode, mode);
}

int32_t DrawText(DeviceContext dc, char16_t const* text, int32_t count, Rect& rect, uint32_t format)
{
    Graphics& tables = Tables();
    DeviceContextState const* state = tables.Find(dc);
    auto view = TextOf(text, count);
    FontFace* face = state ? tables.FaceOf(*state) : nullptr;
    if (!view || !face)
        return 0;
    FontMetrics const& metrics = face->Metrics();
    auto lines = tables.Layout().LayOut(*view, format, rect.Width(), [face](char32_t c) { return face->Advance(c); });
    int64_t height = int64_t(lines.size()) * metrics.height;
    if (format & TextFormat::CalculateRect) {
        int32_t widest = 0;
        for (TextLine const& line : lines)
            widest = std::max(widest, line.width);
        rect.right = Rect::Saturate(int64_t(rect.left) + widest);
        rect.bottom = Rect::Saturate(int64_t(rect.top) + height);
        return Rect::Saturate(height);
    }

    int64_t top = rect.top;
    bool placedVertically = (format & TextFormat::SingleLine) && (format & (TextFormat::VerticalCenter | TextFormat::Bottom));
    if (placedVertically) {
        if (format & TextFormat::VerticalCenter)
            top += (int64_t(rect.Height()) - metrics.height) / 2;
        else
            top = int64_t(rect.bottom) - metrics.height;
    }

    if (auto canvas = tables.CanvasOf(*state)) {
        Canvas area = (format & TextFormat::NoClip) ? *canvas : canvas->ClippedTo(rect);
        uint32_t ink = PixelOf(state->textColor);
        uint32_t paper = PixelOf(state->backgroundColor);
        int64_t lineTop = top;
        for (TextLine const& line : lines) {
            int64_t left = rect.left;
            if (format & TextFormat::Center)
                left += (int64_t(rect.Width()) - line.width) / 2;
            else if (format & TextFormat::Right)
                left = int64_t(rect.right) - line.width;
            if (MeetsRows(area, lineTop, lineTop + metrics.height)) {
                if (state->backgroundMode == BackgroundMode::Opaque) {
                    area.FillRect({ Rect::Saturate(left), Rect::Saturate(lineTop), Rect::Saturate(left + line.width),
                                      Rect::Saturate(lineTop + metrics.height) },
                        paper);
                }
                DrawTextLine(area, *face, line, left, lineTop, ink);
            }
            lineTop += metrics.height;
        }
    }
    // Placed text reports how far below the rectangle's top its last line ends.
    return Rect::Saturate(placedVertically ? top - rect.top + height : height);
}

bool GetTextExtentPoint(DeviceContext dc, char16_t const* text, int32_t count, Size& size)
{
    Graphics& tables = Tables();
    DeviceContextState const* state = tables.Find(dc);
    auto view = TextOf(text, count);
    FontFace* face = state ? tables.FaceOf(*state) : nullptr;
    if (!view || !face)
        return false;
    int64_t width = 0;
    for (char32_t c : DecodeUtf16(*view))
        width += face->Advance(c);
    size = { Rect::Saturate(width), face->Metrics().height };
    return true;
}

bool GetTextMetrics(DeviceContext dc, TextMetrics& metrics)
{
    Graphics& tables = Tables();
    DeviceContextState const* state = tables.Find(dc);
    FontFace* face = state ? tables.FaceOf(*state) : nullptr;
    if (!face)
        return false;
    FontMetrics const& font = face->Metrics();
    metrics = {};
    metrics.height = font.height;
    metrics.ascent = font.ascent;
    metrics.descent = font.descent;
    metrics.internalLeading = font.internalLeading;
    metrics.averageCharWidth = font.averageCharWidth;
    metrics.maxCharWidth = font.maxCharWidth;
    metrics.weight = FontLibrary::WeightOf(tables.Find(state->font)->logFont);
    return true;
}

FontHandle CreateFontIndirect(LogFont const& font)
{
    Graphics& tables = Tables();
    std::shared_ptr<FontFace> face = tables.Fonts().Realize(font);
    if (!face)
        return {};
    return tables.AddFont({ font, std::move(face), false });
}

}
