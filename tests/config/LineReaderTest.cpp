#include "config/LineReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace config;

namespace {

platform::File FileOfBytes(std::vector<uint8_t> bytes)
{
    return platform::File(std::make_unique<platform::MemoryFileStream>(std::move(bytes)));
}

platform::File Utf16File(std::u16string_view text)
{
    std::vector<uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(uint8_t(unit & 0xFF));
        bytes.push_back(uint8_t(unit >> 8));
    }
    return FileOfBytes(std::move(bytes));
}

// Every line as the sectioned readers see them: read until the position reaches the size.
std::vector<std::u16string> Lines(platform::File file, size_t capacity = kLineCapacity)
{
    std::vector<std::u16string> lines;
    std::u16string buffer(capacity + 1, u'#');
    while (file.Position() < file.Size() && lines.size() < 100) {
        size_t length = ReadLine(file, buffer.data(), capacity);
        EXPECT_EQ(buffer[capacity], u'#') << "wrote past the capacity";
        EXPECT_EQ(buffer[length], u'\0');
        lines.emplace_back(buffer.data(), length);
    }
    return lines;
}

using LineList = std::vector<std::u16string>;

}

TEST(LineReader, CrLfLfAndCrEndLinesAlike)
{
    EXPECT_EQ(Lines(Utf16File(u"a=1\r\nb=2\r\nc=3\r\n")), (LineList { u"a=1", u"b=2", u"c=3" }));
    EXPECT_EQ(Lines(Utf16File(u"a=1\nb=2\nc=3\n")), (LineList { u"a=1", u"b=2", u"c=3" }));
    EXPECT_EQ(Lines(Utf16File(u"a=1\rb=2\rc=3\r")), (LineList { u"a=1", u"b=2", u"c=3" }));
    EXPECT_EQ(Lines(Utf16File(u"a\r\n\nb\r\rc\n\r")), (LineList { u"a", u"", u"b", u"", u"c", u"" }));
    EXPECT_EQ(Lines(Utf16File(u"TEXT\r\nText=last")), (LineList { u"TEXT", u"Text=last" }));
    EXPECT_EQ(Lines(Utf16File(u"a\n\nb\r\n\r\nc")), (LineList { u"a", u"", u"b", u"", u"c" }));
    EXPECT_EQ(Lines(Utf16File(u"\n")), (LineList { u"" }));
}

TEST(LineReader, LongLinesComeInPiecesOfTheCapacityLessOne)
{
    std::u16string line(300, u'x');
    line[0] = u'K';
    line[259] = u'R';
    auto layout = Lines(Utf16File(line + u"\r\nnext"));
    ASSERT_EQ(layout.size(), 3u);
    EXPECT_EQ(layout[0], line.substr(0, 259));
    EXPECT_EQ(layout[1], line.substr(259));
    EXPECT_EQ(layout[1].size(), 41u);
    EXPECT_EQ(layout[2], u"next");

    auto settings = Lines(Utf16File(line + u"\r\nnext"), kSettingsLineCapacity);
    ASSERT_EQ(settings.size(), 3u);
    EXPECT_EQ(settings[0].size(), 255u);
    EXPECT_EQ(settings[1].size(), 45u);
}

TEST(LineReader, LineEndsAtTheEdgeOfTheBuffer)
{
    // 258 characters and CR fill the 259 units read: the LF comes back as an empty line.
    std::u16string fits(258, u'x');
    EXPECT_EQ(Lines(Utf16File(fits + u"\r\nnext")), (LineList { fits, u"", u"next" }));
    // One shorter and the CR LF pair is seen whole.
    std::u16string shorter(257, u'x');
    EXPECT_EQ(Lines(Utf16File(shorter + u"\r\nnext")), (LineList { shorter, u"next" }));
    // 259 characters fill the buffer: the line end is read next, as an empty line.
    std::u16string full(259, u'x');
    EXPECT_EQ(Lines(Utf16File(full + u"\nnext")), (LineList { full, u"", u"next" }));
}

TEST(LineReader, StopsAtTheEndOfTheFile)
{
    auto file = Utf16File(u"last");
    char16_t buffer[kLineCapacity];
    EXPECT_EQ(ReadLine(file, buffer, kLineCapacity), 4u);
    EXPECT_EQ(std::u16string(buffer), u"last");
    EXPECT_EQ(file.Position(), 8u);

    buffer[0] = u'#';
    EXPECT_EQ(ReadLine(file, buffer, kLineCapacity), 0u);
    EXPECT_EQ(buffer[0], u'\0');

    platform::File closed;
    buffer[0] = u'#';
    EXPECT_EQ(ReadLine(closed, buffer, kLineCapacity), 0u);
    EXPECT_EQ(buffer[0], u'\0');
}

TEST(LineReader, AnOddLastByteIsNoUnit)
{
    EXPECT_EQ(Lines(FileOfBytes({ 'a', 0, 'b' })), (LineList { u"a" }));
    EXPECT_EQ(Lines(FileOfBytes({ 'a', 0, '\n', 0, 'b' })), (LineList { u"a", u"" }));
    EXPECT_EQ(Lines(FileOfBytes({ 'a', 0, '\r', 0, '\n' })), (LineList { u"a", u"" }));
    EXPECT_EQ(Lines(FileOfBytes({ 'b' })), (LineList { u"" }));

    auto file = FileOfBytes({ 'a', 0, '\r', 0, '\n' });
    char16_t buffer[kLineCapacity];
    ReadLine(file, buffer, kLineCapacity);
    EXPECT_EQ(file.Position(), 4u);
}

TEST(LineReader, TinyCapacitiesReadNothing)
{
    auto file = Utf16File(u"abc\n");
    char16_t buffer[2] = { u'#', u'#' };
    EXPECT_EQ(ReadLine(file, buffer, 1), 0u);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(file.Position(), 0u);
    buffer[0] = u'#';
    EXPECT_EQ(ReadLine(file, buffer, 0), 0u);
    EXPECT_EQ(buffer[0], u'#');

    EXPECT_EQ(Lines(Utf16File(u"abc\n"), 2), (LineList { u"a", u"b", u"c", u"" }));
}
