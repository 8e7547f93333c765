#pragma once

// What the gauge tests share beside the back buffer: objects read from their
// lines, pixels checked against a formula, what a text drawn by the platform
// itself would look like, and the fixture of the gauge objects' tests.

#include "panel/core/IniObject.h"
#include "panel/displays/Gauge.h"
#include "platform/Drawing.h"
#include "tests/panel/BackBuffer.h"
#include "tests/support/PictureCompare.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace panel {

// A failed comparison of colours names each in hexadecimal.
inline void PrintTo(GaugeColors const& colors, std::ostream* out)
{
    *out << std::hex << "{ text " << colors.textColor << ", border " << colors.borderColor << ", low "
         << colors.backgroundColorLow << ", high " << colors.backgroundColorHigh << ", center "
         << colors.backgroundColorCenter << ", light " << colors.lightColor << ", blur " << colors.blurColor << " }"
         << std::dec;
}

}

namespace gauge_test {

// The paper the bar and gauge drawing tests draw on.
constexpr uint32_t kBarPaper = 0x204060;

// The format a gauge draws its label and value lines in.
constexpr uint32_t kLineFormat = platform::TextFormat::SingleLine | platform::TextFormat::NoPrefix;

// A new object that has read `lines` and, as after its layout file, prepared itself.
template<typename Object>
std::unique_ptr<Object> ReadObject(std::initializer_list<std::u16string_view> lines, bool prepare = true)
{
    auto object = std::make_unique<Object>();
    for (auto line : lines)
        object->ReadValue(line);
    if (prepare) {
        platform::DeviceContext screen = platform::GetDC({});
        object->Prepare(screen);
        platform::ReleaseDC({}, screen);
    }
    return object;
}

// Every pixel against `expected(x, y)`; a mismatch names the first few with both colours.
inline void ExpectPixels(testing_support::BackBuffer const& picture, std::function<uint32_t(int32_t, int32_t)> const& expected,
    char const* what)
{
    testing_support::Picture wanted { picture.Width(), picture.Height(), {} };
    picture.ForEach([&](int32_t x, int32_t y) { wanted.pixels.push_back(expected(x, y)); });
    std::string const difference = testing_support::PictureDifference(picture.Pixels(), wanted);
    EXPECT_TRUE(difference.empty()) << what << ": " << difference;
}

// The black outline of a cool or a plain bar of the panel's width 120 at (10, top).
inline testing::AssertionResult HasBarRing(testing_support::BackBuffer const& picture, int32_t top, int32_t height)
{
    platform::Rect const bar { 10, top, 130, top + height };
    int32_t wrong = 0;
    testing::AssertionResult result = testing::AssertionFailure();
    picture.ForEach([&](int32_t x, int32_t y) {
        bool const onRing = bar.Contains({ x, y })
            && (x == bar.left || x == bar.right - 1 || y == bar.top || y == bar.bottom - 1);
        if (onRing && picture.At(x, y) != 0 && wrong++ < 5)
            result << "(" << x << ", " << y << ") is " << std::hex << picture.At(x, y) << std::dec << "; ";
    });
    return wrong == 0 ? testing::AssertionSuccess() : result << wrong << " pixels of the ring are not black";
}

// The platform drawing `text` itself, in black, as a reference for formatted texts.
inline std::unique_ptr<testing_support::BackBuffer> TextAlone(uint32_t background, std::u16string_view text, platform::Rect rect,
    uint32_t format, int32_t width = 200, int32_t height = 120)
{
    auto picture = std::make_unique<testing_support::BackBuffer>(background, width, height);
    platform::DrawText(picture->Dc(), text.data(), int32_t(text.size()), rect, format);
    return picture;
}

// The platform drawing a gauge's text lines itself, each in its rectangle, as a reference.
inline std::unique_ptr<testing_support::BackBuffer> LinesAlone(uint32_t background,
    std::initializer_list<std::pair<std::u16string_view, platform::Rect>> lines, int32_t width = 200, int32_t height = 120)
{
    auto picture = std::make_unique<testing_support::BackBuffer>(background, width, height);
    for (auto [text, rect] : lines)
        platform::DrawText(picture->Dc(), text.data(), int32_t(text.size()), rect, kLineFormat);
    return picture;
}

// Height of one line in the panel's default font, as the gauge objects measure it.
inline int32_t LineHeight()
{
    platform::DeviceContext screen = platform::GetDC({});
    platform::Size extent;
    platform::GetTextExtentPoint(screen, u"I", 1, extent);
    platform::ReleaseDC({}, screen);
    return extent.height;
}

// A gauge object's test: the device it asks, the object read from its lines,
// and its picture drawn at (10, 5) on paper `kPaperWidth` pixels wide.
template<typename Object, int32_t kPaperWidth = 200>
class GaugeObjectTest : public testing::Test {
protected:
    static constexpr uint32_t kPaper = 0xC0C0C0;

    static std::unique_ptr<Object> Read(std::initializer_list<std::u16string_view> lines, bool prepare = true)
    {
        return ReadObject<Object>(lines, prepare);
    }

    static std::unique_ptr<testing_support::BackBuffer> Drawn(Object& object, int32_t height = 120)
    {
        auto picture = std::make_unique<testing_support::BackBuffer>(kPaper, kPaperWidth, height);
        object.Draw(picture->Surface(), 10, 5);
        return picture;
    }

    testing_support::TestDevice device_;
};

}
