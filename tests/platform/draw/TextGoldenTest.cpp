// Text pixels depend on the font files and FreeType: they are compared with a
// picture that our own renderer made. UPDATE_GOLDEN=1 writes it anew.

#include "platform/Drawing.h"
#include "tests/platform/draw/DrawTestSupport.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace platform;
using testing_support::SectionDc;
using testing_support::TestDevice;

namespace {

// A binary PPM: any image viewer shows it.
std::string Ppm(SectionDc const& section)
{
    std::string bytes = "P6\n" + std::to_string(section.Width()) + " " + std::to_string(section.Height()) + "\n255\n";
    for (int32_t y = 0; y < section.Height(); ++y) {
        for (int32_t x = 0; x < section.Width(); ++x) {
            uint32_t pixel = section.At(x, y);
            bytes.push_back(char(pixel >> 16));
            bytes.push_back(char((pixel >> 8) & 0xFF));
            bytes.push_back(char(pixel & 0xFF));
        }
    }
    return bytes;
}

std::string ReadAll(std::filesystem::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(std::filesystem::path const& path, std::string const& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
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

    std::filesystem::path golden = std::filesystem::path(VESSARINE_DRAW_GOLDEN) / "greeting.ppm";
    std::string picture = Ppm(section);
    char const* update = std::getenv("UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        WriteAll(golden, picture);
        GTEST_SKIP() << "wrote " << golden;
    }
    std::string stored = ReadAll(golden);
    ASSERT_FALSE(stored.empty()) << "no picture at " << golden << "; make it with UPDATE_GOLDEN=1";
    if (stored != picture) {
        std::filesystem::path actual = std::filesystem::temp_directory_path() / "greeting.actual.ppm";
        WriteAll(actual, picture);
        FAIL() << "the text differs from " << golden << "; this run drew " << actual;
    }
}
