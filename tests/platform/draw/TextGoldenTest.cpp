// Text pixels depend on the font files and FreeType: they are compared with a
// picture that our own renderer made.

#include "platform/Drawing.h"
#include "tests/platform/draw/DrawTestSupport.h"
#include "tests/support/PictureCompare.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;
using testing_support::Picture;
using testing_support::SectionDc;
using testing_support::TestDevice;

namespace {

Picture PictureOf(SectionDc const& section)
{
    Picture picture { section.Width(), section.Height(), {} };
    for (int32_t y = 0; y < section.Height(); ++y) {
        for (int32_t x = 0; x < section.Width(); ++x)
            picture.pixels.push_back(section.At(x, y));
    }
    return picture;
}

}

TEST(TextGolden, GreetingLooksAsStored)
{
    TestDevice device;
    SectionDc section(120, 48, 0xF0F0E0);
    SetBkMode(section.Dc(), BackgroundMode::Transparent);
    SetTextColor(section.Dc(), Rgb(0x20, 0x30, 0x80));
    Rect top { 0, 2, 120, 30 };
    DrawText(section.Dc(), u"Grüße aus Köln\r\n€ 12,50 &Kasse", -1, top, TextFormat::Center);

    LogFont bold;
    bold.height = 16;
    bold.weight = 700;
    FontHandle previous = SelectObject(section.Dc(), CreateFontIndirect(bold));
    SetBkMode(section.Dc(), BackgroundMode::Opaque);
    SetBkColor(section.Dc(), Rgb(0xFF, 0xE0, 0x40));
    Rect bottom { 4, 30, 116, 48 };
    DrawText(section.Dc(), u"Vessarine", -1, bottom, TextFormat::Right | TextFormat::SingleLine | TextFormat::VerticalCenter);
    DeleteObject(SelectObject(section.Dc(), previous));

    std::filesystem::path golden = std::filesystem::path(VESSARINE_DRAW_GOLDEN) / "greeting.png";
    EXPECT_TRUE(testing_support::MatchesExpectedPicture(PictureOf(section), golden));
}
