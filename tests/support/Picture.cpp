#include "tests/support/Picture.h"

#include <png.h>

#include <fstream>
#include <iterator>

namespace testing_support {

// The files are read and written whole, by the C++ library, which takes a
// path as the host spells it (wide on Windows, where libpng's own file calls
// would take only the ANSI code page).

std::optional<Picture> ReadPng(std::filesystem::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    if (!in && !in.eof())
        return std::nullopt;
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return std::nullopt;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
        return std::nullopt;
    Picture picture { int32_t(image.width), int32_t(image.height), {} };
    picture.pixels.reserve(rgb.size() / 3);
    for (size_t i = 0; i < rgb.size(); i += 3)
        picture.pixels.push_back(uint32_t(rgb[i]) << 16 | uint32_t(rgb[i + 1]) << 8 | rgb[i + 2]);
    return picture;
}

bool WritePng(Picture const& picture, std::filesystem::path const& path)
{
    std::vector<uint8_t> rgb;
    rgb.reserve(picture.pixels.size() * 3);
    for (uint32_t pixel : picture.pixels) {
        rgb.push_back(uint8_t(pixel >> 16));
        rgb.push_back(uint8_t(pixel >> 8));
        rgb.push_back(uint8_t(pixel));
    }
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(picture.width);
    image.height = png_uint_32(picture.height);
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, rgb.data(), 0, nullptr))
        return false;
    std::vector<char> bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb.data(), 0, nullptr))
        return false;
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(size));
    return bool(out.flush());
}

}
