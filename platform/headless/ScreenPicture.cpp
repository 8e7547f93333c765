#include "platform/headless/ScreenPicture.h"

#include "platform/HostFilePath.h"
#include "platform/draw/Canvas.h"

#include <fstream>
#include <png.h>

namespace platform {

namespace {

// The file is written by the C++ library, which takes the UTF-8 path on
// every host (the C library's fopen would read it in the Windows ANSI code
// page).
void WriteToStream(png_structp png, png_bytep data, size_t length)
{
    auto& out = *static_cast<std::ofstream*>(png_get_io_ptr(png));
    if (!out.write(reinterpret_cast<char const*>(data), std::streamsize(length)))
        png_error(png, "cannot write");
}

void FlushStream(png_structp png)
{
    static_cast<std::ofstream*>(png_get_io_ptr(png))->flush();
}

// libpng reports an error by jumping back here; nothing set after the jump
// point is read after it.
bool Encode(png_structp png, png_infop info, Surface const& picture, std::ofstream& file)
{
    std::vector<uint8_t> row(size_t(picture.Width()) * 3);
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &file, WriteToStream, FlushStream);
    png_set_IHDR(png, info, png_uint_32(picture.Width()), png_uint_32(picture.Height()), 8, PNG_COLOR_TYPE_RGB,
        PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < picture.Height(); ++y) {
        uint32_t const* pixels = picture.Row(y);
        for (int32_t x = 0; x < picture.Width(); ++x) {
            row[size_t(x) * 3] = uint8_t(pixels[x] >> 16);
            row[size_t(x) * 3 + 1] = uint8_t(pixels[x] >> 8);
            row[size_t(x) * 3 + 2] = uint8_t(pixels[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    return true;
}

}

Surface ComposeScreen(WindowSystem const& windows, Rect screen)
{
    Surface picture(screen.Width(), screen.Height(), kDesktopPixel);
    Canvas screenCanvas(picture, { 0, 0, picture.Width(), picture.Height() }, {});
    auto order = windows.ZOrder();
    // A window's picture is never larger than its rectangle: it bounds the copy alone.
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Window const& window = *windows.Find(*it);
        Surface const& source = window.picture;
        screenCanvas.CopyFrom({ window.rect.left, window.rect.top }, source.Width(), source.Height(), source,
            { 0, 0, source.Width(), source.Height() }, {});
    }
    return picture;
}

bool WritePng(Surface const& picture, std::string const& path)
{
    std::ofstream file(HostFileSystemPath(path), std::ios::binary);
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool const written = info && Encode(png, info, picture, file);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    file.close();
    return written && !file.fail();
}

}
