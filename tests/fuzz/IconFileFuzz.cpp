// Icon files read from memory at several wanted sizes; a picture that loads
// is recoloured and blended onto a small surface at a position the input
// chooses, so that its size is the size of its pixels.

#include "panel/buttons/IconImage.h"
#include "panel/buttons/PixelTransforms.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/File.h"
#include "platform/headless/HeadlessDevice.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    platform::HeadlessDevice device({});
    platform::ScopedBackend scope(device);

    // The last byte picks the wanted size, so that every entry can be chosen.
    uint32_t const limit = size > 0 ? data[size - 1] : 32;
    for (uint32_t wanted : { limit, 255u }) {
        platform::File file(std::make_unique<platform::MemoryFileStream>(std::vector<uint8_t>(data, data + size)));
        panel::IconImage image;
        panel::ReadIconFile(image, file, u"fuzz.ico", wanted, wanted);
        if (image.IsEmpty())
            continue;
        panel::ScaleChannels(image, panel::PercentFactor(150), panel::PercentFactor(-20), 0.5f, 1.0f);
        panel::AddChannels(image, 20, -20, 300, -1);
        panel::MakeGray(image);
        panel::ScratchBitmap surface(40, 30, true);
        int32_t const x = int32_t(limit % 48) - 8;
        panel::BlendOnto(image, surface, x, x / 2);
    }
    return 0;
}
