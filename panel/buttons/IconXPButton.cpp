#include "panel/buttons/IconXPButton.h"

#include "config/Paths.h"
#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"
#include "panel/buttons/PixelTransforms.h"
#include "panel/displays/ScratchBitmap.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace panel {

static constexpr std::u16string_view kClassName = u"IconXPButton";

enum class IconXPButton::Key {
    IconNormal, IconPushed, SizeNormal, SizePushed,
    ScaleRed, ScaleGreen, ScaleBlue, ScaleAlpha, Scale,
    AddRed, AddGreen, AddBlue, AddAlpha, Add,
    Gray,
};

namespace {

enum Channel { Red, Green, Blue, Alpha };

}

IconXPButton::IconXPButton(platform::WindowHandle window)
    : ImageButton(window)
{
}

bool IconXPButton::ReadValue(char16_t const* line, size_t length, bool report)
{
    // Prefixes of the line, tried in this order: the long forms before Scale and Add.
    static constexpr std::pair<std::u16string_view, Key> kKeys[] = {
        { u"IconNormal", Key::IconNormal },
        { u"IconPushed", Key::IconPushed },
        { u"SizeNormal", Key::SizeNormal },
        { u"SizePushed", Key::SizePushed },
        { u"ScaleRed", Key::ScaleRed },
        { u"ScaleGreen", Key::ScaleGreen },
        { u"ScaleBlue", Key::ScaleBlue },
        { u"ScaleAlpha", Key::ScaleAlpha },
        { u"Scale", Key::Scale },
        { u"AddRed", Key::AddRed },
        { u"AddGreen", Key::AddGreen },
        { u"AddBlue", Key::AddBlue },
        { u"AddAlpha", Key::AddAlpha },
        { u"Add", Key::Add },
        { u"Gray", Key::Gray },
    };
    bool taken = false;
    bool known = false;
    for (auto const& [name, key] : kKeys) {
        if (config::CompareN(line, name.data(), name.size()) != 0)
            continue;
        char16_t const* value = config::ValueOf(line, length, config::kMinimumValue);
        taken = value && Apply(key, value);
        known = true;
        break;
    }
    if (!known)
        taken = ImageButton::ReadValue(line, length, false);
    if (!taken && report)
        config::ReportBadValue(config::kPanelDialect, kClassName, { line, length });
    return taken;
}

bool IconXPButton::Apply(Key key, char16_t const* value)
{
    switch (key) {
    case Key::IconNormal:
        SetIcon(LoadButtonIcon(value, iconSizes_[Normal]), Normal);
        return true;
    case Key::IconPushed:
        SetIcon(LoadButtonIcon(value, iconSizes_[Pushed]), Pushed);
        return true;
    case Key::SizeNormal:
        iconSizes_[Normal] = config::ParseInt(value);
        return true;
    case Key::SizePushed:
        iconSizes_[Pushed] = config::ParseInt(value);
        return true;
    case Key::ScaleRed:
        scale_[Red] = config::ParseInt(value);
        return true;
    case Key::ScaleGreen:
        scale_[Green] = config::ParseInt(value);
        return true;
    case Key::ScaleBlue:
        scale_[Blue] = config::ParseInt(value);
        return true;
    case Key::ScaleAlpha:
        scale_[Alpha] = config::ParseInt(value);
        return true;
    case Key::Scale:
        std::fill_n(scale_, 3, config::ParseInt(value));
        return true;
    case Key::AddRed:
        add_[Red] = config::ParseInt(value);
        return true;
    case Key::AddGreen:
        add_[Green] = config::ParseInt(value);
        return true;
    case Key::AddBlue:
        add_[Blue] = config::ParseInt(value);
        return true;
    case Key::AddAlpha:
        add_[Alpha] = config::ParseInt(value);
        return true;
    case Key::Add:
        std::fill_n(add_, 3, config::ParseInt(value));
        return true;
    case Key::Gray:
        gray_ = config::ParseBool(config::kPanelDialect, value);
        return true;
    }
    return false;
}

std::unique_ptr<IconImage> IconXPButton::LoadButtonIcon(char16_t const* value, int32_t size) const
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
