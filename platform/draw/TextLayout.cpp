#include "platform/draw/TextLayout.h"

#include "platform/Drawing.h"
#include "platform/Utf.h"

#include <algorithm>
#include <optional>

namespace platform {

namespace {

using Paragraph = std::span<TextLayout::Unit const>;

bool IsBreak(char32_t c)
{
    return c == U'\r' || c == U'\n';
}

bool IsBlank(char32_t c)
{
    return c == U' ' || c == U'\t';
}

// Calls `each` with every paragraph of the units: the stretches between line
// breaks, all of them as one on a single line (its breaks left out).
template<typename Each>
void ForEachParagraph(std::vector<TextLayout::Unit>& units, bool singleLine, Each each)
{
    if (singleLine) {
        std::erase_if(units, [](TextLayout::Unit const& unit) { return IsBreak(unit.character); });
        if (!units.empty())
            each(Paragraph(units));
        return;
    }
    size_t start = 0;
    for (size_t k = 0; k < units.size(); ++k) {
        char32_t const c = units[k].character;
        if (!IsBreak(c))
            continue;
        each(Paragraph(units).subspan(start, k - start));
        if (c == U'\r' && k + 1 < units.size() && units[k + 1].character == U'\n')
            ++k;
        start = k + 1;
    }
    if (start < units.size())
        each(Paragraph(units).subspan(start));
}

class LineBuilder {
public:
    LineBuilder(TextLine& line, AdvanceOf const& advance)
        : line_(line)
        , advance_(advance)
    {
    }
    ~LineBuilder() { line_.width = int32_t(std::min<int64_t>(width_, INT32_MAX)); }

    int64_t WidthOf(Paragraph paragraph, size_t from, size_t to) const
    {
        int64_t width = 0;
        for (size_t k = from; k < to; ++k)
            width += advance_(paragraph[k].character);
        return width;
    }

    void Append(Paragraph paragraph, size_t from, size_t to) { Append(paragraph, from, to, WidthOf(paragraph, from, to)); }

    // `width` is what WidthOf gives for the same characters, measured already.
    void Append(Paragraph paragraph, size_t from, size_t to, int64_t width)
    {
        for (size_t k = from; k < to; ++k) {
            if (paragraph[k].underlined)
                line_.underlined.push_back(line_.characters.size());
            line_.characters.push_back(paragraph[k].character);
        }
        width_ += width;
    }

    int64_t Width() const { return width_; }

private:
    TextLine& line_;
    AdvanceOf const& advance_;
    int64_t width_ = 0;
};

}

TextLine& TextLayout::NewLine()
{
    if (lineCount_ == lines_.size())
        lines_.emplace_back();
    TextLine& line = lines_[lineCount_++];
    line.characters.clear();
    line.underlined.clear();
    line.width = 0;
    return line;
}

void TextLayout::ResolvePrefixes(std::u16string_view text, bool prefixes)
{
    units_.clear();
    bool marked = false;
    for (size_t i = 0; i < text.size();) {
        char32_t c = NextCharacter(text, i);
        if (prefixes && c == U'&') {
            if (i < text.size() && text[i] == u'&') {
                ++i;
                units_.push_back({ U'&', marked });
                marked = false;
            } else {
                marked = true;
            }
            continue;
        }
        units_.push_back({ c, marked && !IsBreak(c) });
        marked = false;
    }
}

// Greedy: each word goes on the current line if it fits there with the blanks
// before it; otherwise it starts the next line and those blanks are dropped.
// A word wider than the whole line keeps a line of its own, unbroken.
void TextLayout::Wrap(Paragraph paragraph, int32_t wrapWidth, AdvanceOf const& advance)
{
    auto line = std::make_optional<LineBuilder>(NewLine(), advance);
    bool hasWord = false;
    size_t k = 0;
    while (k < paragraph.size()) {
        size_t blanks = k;
        while (k < paragraph.size() && IsBlank(paragraph[k].character))
            ++k;
        size_t word = k;
        while (k < paragraph.size() && !IsBlank(paragraph[k].character))
            ++k;
        int64_t blankWidth = line->WidthOf(paragraph, blanks, word);
        if (word == k) {
            line->Append(paragraph, blanks, k, blankWidth);
            break;
        }
        int64_t wordWidth = line->WidthOf(paragraph, word, k);
        if (hasWord && line->Width() + blankWidth + wordWidth > wrapWidth) {
            // The finished line takes its width before a new one may move it.
            line.reset();
            line.emplace(NewLine(), advance);
            line->Append(paragraph, word, k, wordWidth);
        } else {
            line->Append(paragraph, blanks, k, blankWidth + wordWidth);
        }
        hasWord = true;
    }
}

std::span<TextLine const> TextLayout::LayOut(std::u16string_view text, uint32_t format, int32_t wrapWidth,
    AdvanceOf const& advance)
{
    bool singleLine = (format & TextFormat::SingleLine) != 0;
    bool wrap = (format & TextFormat::WordBreak) != 0 && !singleLine;
    ResolvePrefixes(text, (format & TextFormat::NoPrefix) == 0);
    lineCount_ = 0;
    ForEachParagraph(units_, singleLine, [&](Paragraph paragraph) {
        if (wrap)
            Wrap(paragraph, wrapWidth, advance);
        else
            LineBuilder(NewLine(), advance).Append(paragraph, 0, paragraph.size());
    });
    return std::span<TextLine const>(lines_.data(), lineCount_);
}

}
