#include "platform/check/CheckBackend.h"

namespace platform {

static std::optional<SourcePlace> PlaceOf(SourcePlace const* place)
{
    return place ? std::optional<SourcePlace>(*place) : std::nullopt;
}

BoxResult FindingDialogs::MessageBox(WindowHandle, std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    findings_.push_back({ Finding::Kind::Error, PlaceOf(CurrentSourcePlace()), std::u16string(caption), std::u16string(text) });
    uint32_t const buttons = flags & Box::ButtonMask;
    return buttons == Box::YesNo || buttons == Box::YesNoCancel ? BoxResult::No : BoxResult::Ok;
}

void FindingDialogs::Warn(SourcePlace const* place, std::u16string_view text)
{
    findings_.push_back({ Finding::Kind::Warning, PlaceOf(place), {}, std::u16string(text) });
}

}
