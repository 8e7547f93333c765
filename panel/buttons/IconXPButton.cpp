#include "panel/buttons/IconXPButton.h"

#include "config/KeySetters.h"
#include "config/Paths.h"
#include "config/Values.h"
#include "panel/buttons/PixelTransforms.h"
#include "panel/displays/ScratchBitmap.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace panel {

static constexpr std::u16string_view kClassName = u"IconXPButton";

namespace {

enum Channel { Red, Green, Blue, Alpha };

// One integer for some elements of an array of the button.
template<auto Field, size_t... Indices>
bool SetElements(IconXPButton& button, std::u16string_view value)
{
    int32_t const parsed = config::ParseInt(value);
    (((button.*Field)[Indices] = parsed), ...);
    return true;
}

}

IconXPButton::IconXPButton(platform::WindowHandle window)
    : ImageButton(window)
{
}

config::KeyTable<IconXPButton> const& IconXPButton::Keys()
{
    static constexpr auto kScale = &IconXPButton::scale_;
    static constexpr auto kAdd = &IconXPButton::add_;
    // The long forms before Scale and Add.
    static constexpr config::Key<IconXPButton> kKeys[] = {
        { u"IconNormal", [](IconXPButton& button, std::u16string_view value) {
             button.SetIcon(button.LoadButtonIcon(value, button.iconSizes_[Normal]), Normal);
             return true;
         } },
        { u"IconPushed", [](IconXPButton& button, std::u16string_view value) {
             button.SetIcon(button.LoadButtonIcon(value, button.iconSizes_[Pushed]), Pushed);
             return true;
         } },
        { u"SizeNormal", SetElements<&IconXPButton::iconSizes_, Normal> },
        { u"SizePushed", SetElements<&IconXPButton::iconSizes_, Pushed> },
        { u"ScaleRed", SetElements<kScale, Red> },
        { u"ScaleGreen", SetElements<kScale, Green> },
        { u"ScaleBlue", SetElements<kScale, Blue> },
        { u"ScaleAlpha", SetElements<kScale, Alpha> },
        { u"Scale", SetElements<kScale, Red, Green, Blue> },
        { u"AddRed", SetElements<kAdd, Red> },
        { u"AddGreen", SetElements<kAdd, Green> },
        { u"AddBlue", SetElements<kAdd, Blue> },
        { u"AddAlpha", SetElements<kAdd, Alpha> },
        { u"Add", SetElements<kAdd, Red, Green, Blue> },
        { u"Gray", config::SetBoolean<&IconXPButton::gray_, config::kPanelDialect> },
    };
    static config::KeyTable<IconXPButton> const kTable { .caption = kClassName, .keys = kKeys, .base = ImageButton::Keys() };
    return kTable;
}

bool IconXPButton::ReadValue(std::u16string_view line, bool report)
{
    config::KeyVerdict verdict = Keys().Match(*this, line);
    // Whatever the chain leaves, its own keys' or its bases', is one bad value of this button.
    if (verdict.kind != config::KeyVerdict::Taken)
        verdict = { config::KeyVerdict::BadValue, kClassName };
    return config::Settle(verdict, line, { config::kPanelDialect, report });
}

std::unique_ptr<IconImage> IconXPButton::LoadButtonIcon(std::u16string_view value, int32_t size) const
{
    char16_t path[config::kPathCapacity] = {};
    if (ResolveLayoutPath(value, path, config::kPathCapacity) == 0)
        return nullptr;
    auto icon = std::make_unique<IconImage>();
    ReadIconFile(*icon, path, uint32_t(size), uint32_t(size));
    if (icon->IsEmpty())
        return nullptr;
    if (std::any_of(std::begin(scale_), std::end(scale_), [](int32_t percent) { return percent != 100; })) {
        ScaleChannels(*icon, PercentFactor(scale_[Red]), PercentFactor(scale_[Green]), PercentFactor(scale_[Blue]),
            PercentFactor(scale_[Alpha]));
    }
    // The amounts count only with their low 16 bits.
    int16_t const add[4] = { int16_t(add_[Red]), int16_t(add_[Green]), int16_t(add_[Blue]), int16_t(add_[Alpha]) };
    if (std::any_of(std::begin(add), std::end(add), [](int16_t amount) { return amount != 0; }))
        AddChannels(*icon, add[Red], add[Green], add[Blue], add[Alpha]);
    if (gray_)
        MakeGray(*icon);
    return icon;
}

void IconXPButton::SetIcon(std::unique_ptr<IconImage> icon, State state)
{
    icons_[state] = std::move(icon);
    if (icons_[state])
        iconSizes_[state] = int32_t(icons_[state]->Width());
}

void IconXPButton::Prepare(platform::DeviceContext dc)
{
    width_ = height_ = int32_t(std::max(uint32_t(iconSizes_[Normal]), uint32_t(iconSizes_[Pushed])));
    ImageButton::Prepare(dc);
}

void IconXPButton::DrawImage(ScratchBitmap& surface, int32_t x, int32_t y, State state)
{
    IconImage const* icon = icons_[state].get();
    if (!icon) {
        platform::Rect rect { x, y, platform::Rect::Saturate(int64_t(x) + width_),
            platform::Rect::Saturate(int64_t(y) + height_) };
        platform::DrawText(surface.Dc(), u"no icon", 7, rect,
            platform::TextFormat::Center | platform::TextFormat::VerticalCenter | platform::TextFormat::SingleLine);
        return;
    }
    uint32_t const size = uint32_t(iconSizes_[state]);
    uint32_t const other = uint32_t(iconSizes_[state == Normal ? Pushed : Normal]);
    int64_t const inset = size < other ? (other - size) / 2 : 0;
    BlendOnto(*icon, surface, platform::Rect::Saturate(x + inset), platform::Rect::Saturate(y + inset));
}

}
