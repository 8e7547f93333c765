#include "tests/support/Picture.h"

#include <png.h>

namespace testing_support {

std::optional<Picture> ReadPng(std::filesystem::path const& path)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
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
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

}
