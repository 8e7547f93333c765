#include "platform/draw/TextLayout.h"

#include "platform/Drawing.h"
#include "platform/Utf.h"

#include <algorithm>

namespace platform {

namespace {

struct Unit {
    char32_t character;
    bool underlined;
};
using Paragraph = std::vector<Unit>;

bool IsBreak(char32_t c)
{
    return c == U'\r' || c == U'\n';
}

bool IsBlank(char32_t c)
{
    return c == U' ' || c == U'\t';
}

std::vector<Unit> ResolvePrefixes(std::u16string_view text, bool prefixes)
{
    std::vector<Unit> units;
    units.reserve(text.size());
    bool marked = false;
    for (size_t i = 0; i < text.size();) {
        char32_t c = NextCharacter(text, i);
        if (prefixes && c == U'&') {
            if (i < text.size() && text[i] == u'&') {
                ++i;
                units.push_back({ U'&', marked });
                marked = false;
            } else {
                marked = true;
            }
            continue;
        }
        units.push_back({ c, marked && !IsBreak(c) });
        marked = false;
    }
    return units;
}

std::vector<Paragraph> SplitParagraphs(std::vector<Unit> const& units, bool singleLine)
{
    std::vector<Paragraph> paragraphs;
    Paragraph current;
    for (size_t k = 0; k < units.size(); ++k) {
        char32_t c = units[k].character;
        if (!IsBreak(c)) {
            current.push_back(units[k]);
            continue;
        }
        if (singleLine)
            continue;
        if (c == U'\r' && k + 1 < units.size() && units[k + 1].character == U'\n')
            ++k;
        paragraphs.push_back(std::move(current));
        current.clear();
    }
    if (!current.empty())
        paragraphs.push_back(std::move(current));
    return paragraphs;
}

class LineBuilder {
public:
    explicit LineBuilder(AdvanceOf const& advance)
        : advance_(advance)
    {
    }

    int64_t WidthOf(Paragraph const& paragraph, size_t from, size_t to) const
    {
        int64_t width = 0;
        for (size_t k = from; k < to; ++k)
            width += advance_(paragraph[k].character);
        return width;
    }

    void Append(Paragraph const& paragraph, size_t from, size_t to) { Append(paragraph, from, to, WidthOf(paragraph, from, to)); }

    // `width` is what WidthOf gives for the same characters, measured already.
    void Append(Paragraph const& paragraph, size_t from, size_t to, int64_t width)
    {
        for (size_t k = from; k < to; ++k) {
            if (paragraph[k].underlined)
                line_.underlined.push_back(line_.characters.size());
            line_.characters.push_back(paragraph[k].character);
        }
        width_ += width;
    }

    int64_t Width() const { return width_; }
    bool Empty() const { return line_.characters.empty(); }

    void Finish(std::vector<TextLine>& lines)
    {
        line_.width = int32_t(std::min<int64_t>(width_, INT32_MAX));
        lines.push_back(std::move(line_));
        line_ = {};
        width_ = 0;
    }

private:
    AdvanceOf const& advance_;
    TextLine line_;
    int64_t width_ = 0;
};

// Greedy: each word goes on the current line if it fits there with the blanks
// before it; otherwise it starts the next line and those blanks are dropped.
// A word wider than the whole line keeps a line of its own, unbroken.
void Wrap(Paragraph const& paragraph, int32_t wrapWidth, AdvanceOf const& advance, std::vector<TextLine>& lines)
{
    LineBuilder line(advance);
    bool hasWord = false;
    size_t k = 0;
    while (k < paragraph.size()) {
        size_t blanks = k;
        while (k < paragraph.size() && IsBlank(paragraph[k].character))
            ++k;
        size_t word = k;
        while (k < paragraph.size() && !IsBlank(paragraph[k].character))
            ++k;
        int64_t blankWidth = line.WidthOf(paragraph, blanks, word);
        if (word == k) {
            line.Append(paragraph, blanks, k, blankWidth);
            break;
        }
        int64_t wordWidth = line.WidthOf(paragraph, word, k);
        if (hasWord && line.Width() + blankWidth + wordWidth > wrapWidth) {
            line.Finish(lines);
            line.Append(paragraph, word, k, wordWidth);
        } else {
            line.Append(paragraph, blanks, k, blankWidth + wordWidth);
        }
        hasWord = true;
    }
    line.Finish(lines);
}

}

std::vector<TextLine> LayOutText(std::u16string_view text, uint32_t format, int32_t wrapWidth, AdvanceOf const& advance)
{
    bool singleLine = (format & TextFormat::SingleLine) != 0;
    bool wrap = (format & TextFormat::WordBreak) != 0 && !singleLine;
    auto units = ResolvePrefixes(text, (format & TextFormat::NoPrefix) == 0);
    std::vector<TextLine> lines;
    for (Paragraph const& paragraph : SplitParagraphs(units, singleLine)) {
        if (wrap) {
            Wrap(paragraph, wrapWidth, advance, lines);
        } else {
            LineBuilder line(advance);
            line.Append(paragraph, 0, paragraph.size());
            line.Finish(lines);
        }
    }
    return lines;
}

}
