#include "platform/win32/SystemFont.h"

#include "platform/Utf.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <vector>

namespace platform::win32 {

struct SystemFont::Handles {
    HDC context = nullptr;
    HFONT font = nullptr;
    HGDIOBJ previous = nullptr;
    ~Handles()
    {
        if (context && previous)
            SelectObject(context, previous);
        if (font)
            DeleteObject(font);
        if (context)
            DeleteDC(context);
    }
};

std::unique_ptr<SystemFont> SystemFont::Choose(std::u16string_view face, int32_t weight, bool italic)
{
    LOGFONTW request {};
    // The file is the same at every size; the height only has to be a sane one.
    request.lfHeight = -32;
    request.lfWeight = weight;
    request.lfItalic = italic ? TRUE : FALSE;
    request.lfCharSet = DEFAULT_CHARSET;
    // Only outline fonts have a file that FreeType can draw from.
    request.lfOutPrecision = OUT_OUTLINE_PRECIS;
    request.lfPitchAndFamily = FF_SWISS;
    size_t length = std::min(face.size(), size_t(LF_FACESIZE - 1));
    std::copy_n(face.begin(), length, reinterpret_cast<char16_t*>(request.lfFaceName));

    auto handles = std::make_unique<Handles>();
    handles->context = CreateCompatibleDC(nullptr);
    handles->font = CreateFontIndirectW(&request);
    if (!handles->context || !handles->font)
        return nullptr;
    handles->previous = SelectObject(handles->context, handles->font);
    std::unique_ptr<SystemFont> chosen(new SystemFont(std::move(handles), weight, italic));
    if (chosen->FileSize() == 0)
        return nullptr;
    return chosen;
}

std::unique_ptr<SystemFont> SystemFont::FromKey(std::string_view key)
{
    // weight, slant, face: "700 1 DejaVu Sans"
    int32_t weight = 0;
    int italic = 0;
    auto [afterWeight, weightError] = std::from_chars(key.data(), key.data() + key.size(), weight);
    if (weightError != std::errc() || afterWeight == key.data() + key.size() || *afterWeight != ' ')
        return nullptr;
    ++afterWeight;
    auto [afterSlant, slantError] = std::from_chars(afterWeight, key.data() + key.size(), italic);
    if (slantError != std::errc() || afterSlant == key.data() + key.size() || *afterSlant != ' ')
        return nullptr;
    ++afterSlant;
    return Choose(FromUtf8(std::string_view(afterSlant, size_t(key.data() + key.size() - afterSlant))), weight, italic != 0);
}

SystemFont::SystemFont(std::unique_ptr<Handles> handles, int32_t weight, bool italic)
    : handles_(std::move(handles))
    , weight_(weight)
    , italic_(italic)
{
}

SystemFont::~SystemFont() = default;

std::u16string SystemFont::FaceName() const
{
    wchar_t name[LF_FACESIZE] {};
    int length = GetTextFaceW(handles_->context, LF_FACESIZE, name);
    if (length <= 0)
        return {};
    auto const* begin = reinterpret_cast<char16_t const*>(name);
    return std::u16string(begin, std::find(begin, begin + LF_FACESIZE, u'\0'));
}

std::string SystemFont::Key() const
{
    return std::to_string(weight_) + ' ' + (italic_ ? '1' : '0') + ' ' + ToUtf8(FaceName());
}

bool SystemFont::FileIsBold() const
{
    UINT size = GetOutlineTextMetricsW(handles_->context, 0, nullptr);
    if (size == 0)
        return false;
    std::vector<std::byte> buffer(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (GetOutlineTextMetricsW(handles_->context, size, metrics) == 0)
        return false;
    constexpr UINT kBoldSelection = 1u << 5;
    return (metrics->otmfsSelection & kBoldSelection) != 0;
}

uint64_t SystemFont::FileSize() const
{
    DWORD size = GetFontData(handles_->context, 0, 0, nullptr, 0);
    return size == GDI_ERROR ? 0 : size;
}

uint64_t SystemFont::ReadFile(uint64_t offset, void* buffer, uint64_t count) const
{
    if (offset > 0xFFFFFFFFu || count > 0xFFFFFFFFu)
        return 0;
    DWORD read = GetFontData(handles_->context, 0, DWORD(offset), buffer, DWORD(count));
    return read == GDI_ERROR ? 0 : read;
}

}
