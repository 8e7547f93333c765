#include "bench/KernelFigures.h"
#include "bench/RandomPixels.h"
#include "bench/RatioHarness.h"
#include "panel/displays/BlurFilter.h"
#include "panel/displays/ScratchBitmap.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cstring>
#include <string>

namespace bench {

namespace {

void CompareOneBlur(RatioHarness& harness, panel::BlurPasses const& passes, int width, int height)
{
    panel::ScratchBitmap surface(width, height, true);
    size_t const bytes = size_t(width) * height * 4;
    FillRandom(reinterpret_cast<uint32_t*>(surface.Pixels()), bytes / 4, 3);
    cv::Mat source(height, width, CV_8UC4);
    std::memcpy(source.data, surface.Pixels(), bytes);
    cv::Mat target(height, width, CV_8UC4);

    panel::BlurFilter filter;
    panel::BlurFilter* const blur = &filter;
    panel::ScratchBitmap* const onto = &surface;
    cv::Mat const* const from = &source;
    cv::Mat* const to = &target;
    Contender const smooth = Repeated("BlurFilter", [=] { blur->Apply(*onto, { 0, 0, width, height }, passes); });
    harness.Compare("blur_" + std::to_string(width) + "x" + std::to_string(height) + "_opencv", smooth,
        Repeated("GaussianBlur", [=] { cv::GaussianBlur(*from, *to, cv::Size(3, 3), 0); }), bytes,
        OnReferenceKernels(smooth));
}

}

void CompareBlur(RatioHarness& harness)
{
    // Our filter runs on one thread; so does OpenCV here.
    cv::setNumThreads(1);
    CompareOneBlur(harness, panel::TintedBlur(0x000000, 0, 1), 320, 240);
    CompareOneBlur(harness, panel::PlainBlur(1), 320, 48);
}

}
